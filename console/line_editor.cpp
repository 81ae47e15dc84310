#include "console/line_editor.h"

namespace lvltext {
namespace {

constexpr std::size_t tabWidth = 8;

bool isContinuationByte(char byte) {
  return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

std::string cursorLeft(std::size_t columns) {
  return columns == 0 ? std::string() : "\x1b[" + std::to_string(columns) + "D";
}

std::string cursorRight(std::size_t columns) {
  return columns == 0 ? std::string() : "\x1b[" + std::to_string(columns) + "C";
}

constexpr std::string_view clearToEndOfLine = "\x1b[K";

}  // namespace

std::string LineEditor::apply(const Key& key) {
  switch (key.kind) {
    case Key::Kind::Character:
      return insert(key.text);
    case Key::Kind::Tab:
      return insert(std::string(tabWidth - (startColumn_ + columns(0, cursor_)) % tabWidth, ' '));
    case Key::Kind::Backspace:
      return eraseBefore();
    case Key::Kind::Delete:
      return eraseAt();
    case Key::Kind::Left: {
      const std::size_t target = previousCharacter();
      const std::string echo = cursorLeft(columns(target, cursor_));
      cursor_ = target;
      return echo;
    }
    case Key::Kind::Right: {
      const std::size_t target = nextCharacter();
      const std::string echo = cursorRight(columns(cursor_, target));
      cursor_ = target;
      return echo;
    }
    case Key::Kind::Home: {
      const std::string echo = cursorLeft(columns(0, cursor_));
      cursor_ = 0;
      return echo;
    }
    case Key::Kind::End: {
      const std::string echo = cursorRight(columns(cursor_, line_.size()));
      cursor_ = line_.size();
      return echo;
    }
    case Key::Kind::Escape: {
      if (line_.empty()) return {};
      std::string echo = cursorLeft(columns(0, cursor_));
      echo += clearToEndOfLine;
      line_.clear();
      cursor_ = 0;
      return echo;
    }
    case Key::Kind::Enter:
      return {};
  }
  return {};
}

std::string LineEditor::insert(std::string_view text) {
  if (text.empty()) return {};
  line_.insert(cursor_, text);
  cursor_ += text.size();
  if (cursor_ == line_.size()) return std::string(text);
  return std::string(text) + line_.substr(cursor_) + cursorLeft(columns(cursor_, line_.size()));
}

std::string LineEditor::eraseBefore() {
  if (cursor_ == 0) return {};
  const std::size_t start = previousCharacter();
  const std::size_t width = columns(start, cursor_);
  line_.erase(start, cursor_ - start);
  cursor_ = start;
  return cursorLeft(width) + redrawTail();
}

std::string LineEditor::eraseAt() {
  if (cursor_ == line_.size()) return {};
  line_.erase(cursor_, nextCharacter() - cursor_);
  return redrawTail();
}

std::string LineEditor::redrawTail() const {
  std::string echo = line_.substr(cursor_);
  echo += clearToEndOfLine;
  echo += cursorLeft(columns(cursor_, line_.size()));
  return echo;
}

std::size_t LineEditor::previousCharacter() const {
  std::size_t position = cursor_;
  while (position > 0 && isContinuationByte(line_[--position])) {
  }
  return position;
}

std::size_t LineEditor::nextCharacter() const {
  std::size_t position = cursor_;
  if (position < line_.size()) ++position;
  while (position < line_.size() && isContinuationByte(line_[position])) ++position;
  return position;
}

std::size_t LineEditor::columns(std::size_t from, std::size_t to) const {
  std::size_t count = 0;
  for (std::size_t i = from; i < to; ++i) count += isContinuationByte(line_[i]) ? 0 : 1;
  return count;
}

}  // namespace lvltext
