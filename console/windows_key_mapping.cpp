#include "console/windows_key_mapping.h"

namespace lvltext {
namespace {

// Virtual key codes, as the Windows headers name them.
constexpr std::uint16_t vkBack = 0x08;
constexpr std::uint16_t vkTab = 0x09;
constexpr std::uint16_t vkReturn = 0x0D;
constexpr std::uint16_t vkMenu = 0x12;  // Alt
constexpr std::uint16_t vkEscape = 0x1B;
constexpr std::uint16_t vkEnd = 0x23;
constexpr std::uint16_t vkHome = 0x24;
constexpr std::uint16_t vkLeft = 0x25;
constexpr std::uint16_t vkRight = 0x27;
constexpr std::uint16_t vkDelete = 0x2E;

bool editingKey(std::uint16_t virtualKeyCode, Key::Kind& kind) {
  switch (virtualKeyCode) {
    case vkReturn:
      kind = Key::Kind::Enter;
      return true;
    case vkBack:
      kind = Key::Kind::Backspace;
      return true;
    case vkTab:
      kind = Key::Kind::Tab;
      return true;
    case vkEscape:
      kind = Key::Kind::Escape;
      return true;
    case vkDelete:
      kind = Key::Kind::Delete;
      return true;
    case vkLeft:
      kind = Key::Kind::Left;
      return true;
    case vkRight:
      kind = Key::Kind::Right;
      return true;
    case vkHome:
      kind = Key::Kind::Home;
      return true;
    case vkEnd:
      kind = Key::Kind::End;
      return true;
    default:
      return false;
  }
}

bool isHighSurrogate(char16_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}
bool isLowSurrogate(char16_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

}  // namespace

void WindowsKeyMapper::map(const WindowsKeyEvent& event, std::vector<Key>& keys) {
  const bool altNumberPadCharacter =
      !event.keyDown && event.virtualKeyCode == vkMenu && event.unicodeChar != 0;
  if (!event.keyDown && !altNumberPadCharacter) return;
  const std::size_t repeats = event.repeatCount == 0 ? 1 : event.repeatCount;

  Key::Kind kind;
  if (!altNumberPadCharacter && editingKey(event.virtualKeyCode, kind)) {
    keys.insert(keys.end(), repeats, Key::of(kind));
    return;
  }
  const char16_t unit = event.unicodeChar;
  if (unit < 0x20 || unit == 0x7F) return;
  if (isHighSurrogate(unit)) {
    highSurrogate_ = unit;
    return;
  }
  std::u16string character;
  if (isLowSurrogate(unit)) {
    if (highSurrogate_ == 0) return;
    character = {highSurrogate_, unit};
  } else {
    character = {unit};
  }
  highSurrogate_ = 0;
  const std::string bytes = encode_(character);
  if (!bytes.empty()) keys.insert(keys.end(), repeats, Key::character(bytes));
}

std::string encodeUtf8(std::u16string_view text) {
  std::string bytes;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t point = text[i];
    if (isHighSurrogate(text[i]) && i + 1 < text.size() && isLowSurrogate(text[i + 1])) {
      point = 0x10000 + ((point - 0xD800) << 10) + (text[++i] - 0xDC00);
    }
    if (point < 0x80) {
      bytes += static_cast<char>(point);
    } else if (point < 0x800) {
      bytes += static_cast<char>(0xC0 | (point >> 6));
      bytes += static_cast<char>(0x80 | (point & 0x3F));
    } else if (point < 0x10000) {
      bytes += static_cast<char>(0xE0 | (point >> 12));
      bytes += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
      bytes += static_cast<char>(0x80 | (point & 0x3F));
    } else {
      bytes += static_cast<char>(0xF0 | (point >> 18));
      bytes += static_cast<char>(0x80 | ((point >> 12) & 0x3F));
      bytes += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
      bytes += static_cast<char>(0x80 | (point & 0x3F));
    }
  }
  return bytes;
}

}  // namespace lvltext
