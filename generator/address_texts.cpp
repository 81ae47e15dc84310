#include "generator/address_texts.h"

namespace lvltext {

std::string hexText(std::uint64_t value) {
  static constexpr char digits[] = "0123456789ABCDEF";
  std::string reversed;
  do {
    reversed.push_back(digits[value % 16]);
    value /= 16;
  } while (value != 0);
  return {reversed.rbegin(), reversed.rend()};
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
  return hexText(tableAddress + slotOffset);
}

}  // namespace lvltext
