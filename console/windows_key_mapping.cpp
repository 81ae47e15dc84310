#include "console/windows_key_mapping.h"

#include <optional>

namespace lvltext {
namespace {

// Virtual key codes, as the Windows headers name them.
constexpr std::uint16_t vkMenu = 0x12;  // Alt

struct EditingKey {
  std::uint16_t virtualKeyCode;
  Key::Kind kind;
};

constexpr EditingKey editingKeys[] = {
    {0x0D, Key::Kind::Enter},      // VK_RETURN
    {0x08, Key::Kind::Backspace},  // VK_BACK
    {0x09, Key::Kind::Tab},        // VK_TAB
    {0x1B, Key::Kind::Escape},     // VK_ESCAPE
    {0x2E, Key::Kind::Delete},     // VK_DELETE
    {0x25, Key::Kind::Left},       // VK_LEFT
    {0x27, Key::Kind::Right},      // VK_RIGHT
    {0x24, Key::Kind::Home},       // VK_HOME
    {0x23, Key::Kind::End},        // VK_END
};

std::optional<Key::Kind> editingKey(std::uint16_t virtualKeyCode) {
  for (const EditingKey& key : editingKeys) {
    if (key.virtualKeyCode == virtualKeyCode) return key.kind;
  }
  return std::nullopt;
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

  if (const auto kind = editingKey(event.virtualKeyCode); kind && !altNumberPadCharacter) {
    keys.insert(keys.end(), repeats, Key::of(*kind));
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
