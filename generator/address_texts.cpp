#include "generator/address_texts.h"

namespace lvltext {

HexText::HexText(std::uint64_t value) : start_(sizeof digits_) {
  static constexpr char hexDigits[] = "0123456789ABCDEF";
  do {
    digits_[--start_] = hexDigits[value % 16];
    value /= 16;
  } while (value != 0);
}

std::string hexText(std::uint64_t value) {
  return std::string(HexText(value).view());
}

std::string offsetText(std::uint64_t offset) {
  std::string text = hexText(offset);
  if (text.size() < 3) text.insert(0, 3 - text.size(), '0');
  return text;
}

NamespaceAddress splitAddress(std::string_view offsetText, std::string_view lowSegmentText,
                              std::string_view highSegmentText) {
  if (!highSegmentText.empty() && offsetText.size() == 4) {
    return {std::string(highSegmentText), std::string(offsetText.substr(1))};
  }
  return {std::string(lowSegmentText), std::string(offsetText)};
}

std::string patchAddressText(const NamespaceAddress& address) {
  return address.segmentText + address.offsetText;
}

std::string farPointerText(const NamespaceAddress& address) {
  return address.segmentText + "000" + address.offsetText;
}

std::string slotAddressText(std::uint64_t tableAddress, std::uint64_t slotOffset) {
  return hexText(slotAddress(tableAddress, slotOffset));
}

}  // namespace lvltext
