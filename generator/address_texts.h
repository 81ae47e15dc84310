#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace lvltext {

/// Where a byte of the level namespace lies, as the patch script names it: a segment text
/// ("1E", "1F", "20") and an offset text inside that segment's window. No "$", no blank.
struct NamespaceAddress {
  std::string segmentText;
  std::string offsetText;

  bool operator==(const NamespaceAddress&) const = default;
};

/// `value` in upper-case hexadecimal without leading zeros ("0" for zero), held without an
/// allocation. Every number in the patch script is written by this class.
class HexText {
 public:
  explicit HexText(std::uint64_t value);
  std::string_view view() const { return {digits_ + start_, sizeof digits_ - start_}; }

 private:
  char digits_[16];
  std::size_t start_;
};

/// `value` as HexText gives it, as a string.
std::string hexText(std::uint64_t value);

/// The offset in upper-case hexadecimal, padded with "0" to at least three characters.
std::string offsetText(std::uint64_t offset);

/// With a high segment text, a four-character offset text goes with the high segment and keeps
/// its last three characters; otherwise the offset text goes whole with the low segment.
NamespaceAddress splitAddress(std::string_view offsetText, std::string_view lowSegmentText,
                              std::string_view highSegmentText);

/// Segment text followed by offset text: the address of the text's first byte.
std::string patchAddressText(const NamespaceAddress& address);

/// Segment text, "000", offset text: the 32-bit far pointer to the text.
std::string farPointerText(const NamespaceAddress& address);

/// The address of a pointer slot: table address plus slot offset.
constexpr std::uint64_t slotAddress(std::uint64_t tableAddress, std::uint64_t slotOffset) {
  return tableAddress + slotOffset;
}

/// The slot address in hexadecimal.
std::string slotAddressText(std::uint64_t tableAddress, std::uint64_t slotOffset);

}  // namespace lvltext
