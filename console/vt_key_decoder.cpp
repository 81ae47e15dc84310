#include "console/vt_key_decoder.h"

#include <optional>

namespace lvltext {
namespace {

constexpr unsigned char escapeByte = 0x1B;

bool isContinuationByte(unsigned char byte) {
  return (byte & 0xC0) == 0x80;
}

/// Continuation bytes that follow a UTF-8 lead byte, or 0 for a byte that starts no sequence.
std::size_t continuationBytesAfter(unsigned char lead) {
  if (lead >= 0xC2 && lead <= 0xDF) return 1;
  if (lead >= 0xE0 && lead <= 0xEF) return 2;
  if (lead >= 0xF0 && lead <= 0xF4) return 3;
  return 0;
}

/// The key for the final letter shared by CSI and SS3 sequences, if it is one the editor uses.
std::optional<Key::Kind> keyForFinalLetter(unsigned char final) {
  switch (final) {
    case 'C':
      return Key::Kind::Right;
    case 'D':
      return Key::Kind::Left;
    case 'H':
      return Key::Kind::Home;
    case 'F':
      return Key::Kind::End;
    default:
      return std::nullopt;
  }
}

}  // namespace

void VtKeyDecoder::feed(char signedByte, std::vector<Key>& keys) {
  const auto byte = static_cast<unsigned char>(signedByte);
  switch (state_) {
    case State::Ground:
      ground(byte, keys);
      return;
    case State::Escape:
      if (byte == '[') {
        state_ = State::ControlSequence;
        pending_.clear();
      } else if (byte == 'O') {
        state_ = State::SingleShift;
      } else if (byte == escapeByte) {
        keys.push_back(Key::of(Key::Kind::Escape));  // the first of two Esc presses
      } else {
        state_ = State::Ground;  // Alt with a key: not an editing key
      }
      return;
    case State::ControlSequence:
      if (byte >= 0x20 && byte <= 0x3F) {
        pending_.push_back(static_cast<char>(byte));
      } else {
        state_ = State::Ground;
        if (byte >= 0x40 && byte <= 0x7E) finishControlSequence(byte, keys);
      }
      return;
    case State::SingleShift: {
      state_ = State::Ground;
      if (const auto kind = keyForFinalLetter(byte)) keys.push_back(Key::of(*kind));
      return;
    }
    case State::Utf8:
      if (isContinuationByte(byte)) {
        pending_.push_back(static_cast<char>(byte));
        if (--utf8Missing_ == 0) {
          state_ = State::Ground;
          keys.push_back(Key::character(pending_));
        }
        return;
      }
      // A cut-off sequence: keep what came as typed, then read this byte afresh.
      state_ = State::Ground;
      keys.push_back(Key::character(pending_));
      ground(byte, keys);
      return;
  }
}

void VtKeyDecoder::ground(unsigned char byte, std::vector<Key>& keys) {
  if (byte == '\r' || byte == '\n') {
    keys.push_back(Key::of(Key::Kind::Enter));
  } else if (byte == 0x7F || byte == 0x08) {
    keys.push_back(Key::of(Key::Kind::Backspace));
  } else if (byte == '\t') {
    keys.push_back(Key::of(Key::Kind::Tab));
  } else if (byte == escapeByte) {
    state_ = State::Escape;
  } else if (byte < 0x20) {
    // Other control keys (Ctrl+Z among them) have no editing role.
  } else if (const std::size_t missing = continuationBytesAfter(byte); missing > 0) {
    state_ = State::Utf8;
    utf8Missing_ = missing;
    pending_.assign(1, static_cast<char>(byte));
  } else {
    keys.push_back(Key::character(std::string(1, static_cast<char>(byte))));
  }
}

void VtKeyDecoder::finishControlSequence(unsigned char final, std::vector<Key>& keys) {
  if (final != '~') {
    if (const auto kind = keyForFinalLetter(final)) keys.push_back(Key::of(*kind));
    return;
  }
  // "ESC [ n ~" keys, possibly with modifiers after a semicolon.
  const std::string number = pending_.substr(0, pending_.find(';'));
  if (number == "1" || number == "7") {
    keys.push_back(Key::of(Key::Kind::Home));
  } else if (number == "4" || number == "8") {
    keys.push_back(Key::of(Key::Kind::End));
  } else if (number == "3") {
    keys.push_back(Key::of(Key::Kind::Delete));
  }
}

void VtKeyDecoder::timeout(std::vector<Key>& keys) {
  if (state_ == State::Escape) keys.push_back(Key::of(Key::Kind::Escape));
  if (state_ != State::Utf8) state_ = State::Ground;
}

}  // namespace lvltext
