#include "textfiles/text_line_reader.h"

#include <algorithm>
#include <cstring>

namespace lvltext {
namespace {

constexpr std::size_t readBlockSize = 64 * 1024;
constexpr std::size_t longLine = 16 * readBlockSize;
constexpr char lineFeed = '\n';
constexpr char carriageReturn = '\r';
constexpr char endOfData = 0x1A;

}  // namespace

void TextLineReader::open(std::string_view name) {
  if (open_) return;
  file_ = fileSystem_.openForReading(name);
  open_ = file_ != nullptr;
  buffer_.clear();
  position_ = searchedForLineEnd_ = searchedForData_ = 0;
  dataEnded_ = false;
}

void TextLineReader::close() {
  file_.reset();
  open_ = false;
  buffer_.clear();
  buffer_.shrink_to_fit();
  position_ = searchedForLineEnd_ = searchedForData_ = 0;
  dataEnded_ = false;
}

void TextLineReader::fill() {
  // Drop what has been read once it is most of the buffer, so a long list needs no more memory
  // than its longest line.
  if (position_ > 0 && position_ >= buffer_.size() / 2) {
    buffer_.erase(0, position_);
    searchedForLineEnd_ -= std::min(searchedForLineEnd_, position_);
    searchedForData_ -= std::min(searchedForData_, position_);
    position_ = 0;
    // After a very long line, give back what only that line needed.
    if (buffer_.capacity() > 4 * readBlockSize && buffer_.size() < buffer_.capacity() / 4) {
      buffer_.shrink_to_fit();
    }
  }
  const std::size_t oldSize = buffer_.size();
  buffer_.resize(oldSize + readBlockSize);
  const std::size_t count = file_->read(buffer_.data() + oldSize, readBlockSize);
  buffer_.resize(oldSize + count);
  const auto* marker =
      static_cast<const char*>(std::memchr(buffer_.data() + oldSize, endOfData, count));
  if (marker != nullptr) buffer_.resize(static_cast<std::size_t>(marker - buffer_.data()));
  if (count == 0 || marker != nullptr) {
    dataEnded_ = true;
    file_.reset();  // the rest of the file is never read
    const std::size_t lastData = buffer_.find_last_not_of('\0');
    const std::size_t dataLength = lastData == std::string::npos ? 0 : lastData + 1;
    buffer_.resize(std::max(dataLength, position_));
    searchedForLineEnd_ = std::min(searchedForLineEnd_, buffer_.size());
    searchedForData_ = std::min(searchedForData_, buffer_.size());
  }
}

bool TextLineReader::atEnd() {
  if (!open_) return true;
  for (;;) {
    if (dataEnded_) return position_ >= buffer_.size();
    searchedForData_ = std::max(searchedForData_, position_);
    const std::size_t data = buffer_.find_first_not_of('\0', searchedForData_);
    if (data != std::string::npos) return false;
    searchedForData_ = buffer_.size();
    fill();
  }
}

std::string TextLineReader::readLine() {
  std::string line;
  readLine(line);
  return line;
}

void TextLineReader::readLine(std::string& line) {
  line.clear();
  if (!open_) return;
  for (;;) {
    searchedForLineEnd_ = std::max(searchedForLineEnd_, position_);
    const void* found = std::memchr(buffer_.data() + searchedForLineEnd_, lineFeed,
                                    buffer_.size() - searchedForLineEnd_);
    if (found != nullptr || dataEnded_) {
      const std::size_t lineEnd =
          found != nullptr
              ? static_cast<std::size_t>(static_cast<const char*>(found) - buffer_.data())
              : buffer_.size();
      std::size_t length = lineEnd - position_;
      // With an LF the line end takes in up to two CRs before it; without one, a single CR.
      const int carriageReturns = found != nullptr ? 2 : 1;
      for (int i = 0;
           i < carriageReturns && length > 0 && buffer_[position_ + length - 1] == carriageReturn;
           ++i) {
        --length;
      }
      const std::size_t next = found != nullptr ? lineEnd + 1 : lineEnd;
      if (length < longLine) {
        line.assign(buffer_, position_, length);
        position_ = next;
        return;
      }
      // A very long line fills most of the buffer: hand the buffer over as the line instead of
      // holding a second copy of it, and keep only what was read after it.
      std::string rest = buffer_.substr(next);
      line = std::move(buffer_);
      line.resize(position_ + length);
      line.erase(0, position_);
      buffer_ = std::move(rest);
      position_ = searchedForLineEnd_ = searchedForData_ = 0;
      return;
    }
    searchedForLineEnd_ = buffer_.size();
    fill();
  }
}

}  // namespace lvltext
