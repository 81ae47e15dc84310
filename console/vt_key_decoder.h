#pragma once

#include <string>
#include <vector>

#include "console/line_editor.h"

namespace lvltext {

/// Turns the bytes a terminal sends into keys: printable characters and UTF-8 sequences,
/// Backspace (DEL or BS), Tab, Enter (CR or LF), and the xterm and VT escape sequences for the
/// arrow, Home, End and Delete keys in both their CSI ("ESC [") and SS3 ("ESC O") forms.
/// Other control bytes and unknown sequences give no key.
class VtKeyDecoder {
 public:
  /// Takes the next byte and appends the keys it completes to `keys`.
  void feed(char byte, std::vector<Key>& keys);
  /// True while the bytes so far may be the start of a sequence: the caller waits briefly for
  /// more, and calls `timeout` if none come, so a lone Esc press is told from a sequence.
  bool waitingForMore() const { return state_ != State::Ground && state_ != State::Utf8; }
  /// No more bytes came: a lone Esc is the Esc key; a cut-off sequence is dropped.
  void timeout(std::vector<Key>& keys);

 private:
  enum class State { Ground, Escape, ControlSequence, SingleShift, Utf8 };

  void ground(unsigned char byte, std::vector<Key>& keys);
  void finishControlSequence(unsigned char final, std::vector<Key>& keys);

  State state_ = State::Ground;
  std::string pending_;  // parameters of a control sequence, or the bytes of a UTF-8 character
  std::size_t utf8Missing_ = 0;
};

}  // namespace lvltext
