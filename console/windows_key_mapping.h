#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "console/line_editor.h"

namespace lvltext {

/// The parts of a Windows console key event that the wait uses, in the console's own terms.
struct WindowsKeyEvent {
  bool keyDown = true;
  std::uint16_t virtualKeyCode = 0;
  /// The UTF-16 code unit the key typed, or 0.
  char16_t unicodeChar = 0;
  std::uint16_t repeatCount = 1;
};

/// Turns console key events into editor keys: Enter, Backspace, Tab, Esc, Delete, the arrows,
/// Home and End by their virtual key codes, and typed characters (a surrogate pair becomes one
/// character) as bytes in the console's code page. Key releases, control characters (Ctrl+Z
/// among them) and other keys give nothing, except the character that Alt with the number pad
/// types, which arrives when Alt is released.
class WindowsKeyMapper {
 public:
  /// `encode` turns one character, as UTF-16, into the bytes the line holds for it.
  explicit WindowsKeyMapper(std::function<std::string(std::u16string_view)> encode)
      : encode_(std::move(encode)) {}

  void map(const WindowsKeyEvent& event, std::vector<Key>& keys);

 private:
  std::function<std::string(std::u16string_view)> encode_;
  char16_t highSurrogate_ = 0;
};

/// UTF-16 to UTF-8, for consoles whose code page is UTF-8.
std::string encodeUtf8(std::u16string_view text);

}  // namespace lvltext
