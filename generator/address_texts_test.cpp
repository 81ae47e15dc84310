#include "generator/address_texts.h"

#include <gtest/gtest.h>

namespace lvltext {
namespace {

TEST(AddressTextsTest, OffsetTextIsUpperCaseHexWithAtLeastThreeDigits) {
  const std::pair<std::uint64_t, std::string_view> cases[] = {
      {0x0, "000"},   {0xF, "00F"},     {0x40, "040"},    {0xFF, "0FF"},
      {0xF40, "F40"}, {0x1000, "1000"}, {0x14CE, "14CE"}, {0xABCDEF, "ABCDEF"},
  };
  for (const auto& [offset, text] : cases) EXPECT_EQ(offsetText(offset), text) << offset;
}

TEST(AddressTextsTest, SplitsOffsetsIntoSegmentWindows) {
  struct Case {
    std::string_view high;
    std::uint64_t offset;
    std::string_view segment;
    std::string_view patchAddress;
    std::string_view farPointer;
  };
  const Case cases[] = {
      {"1F", 0x0, "1E", "1E000", "1E000000"},    {"1F", 0x10, "1E", "1E010", "1E000010"},
      {"1F", 0xF40, "1E", "1EF40", "1E000F40"},  {"1F", 0xFFF, "1E", "1EFFF", "1E000FFF"},
      {"1F", 0x1000, "1F", "1F000", "1F000000"}, {"1F", 0x14CE, "1F", "1F4CE", "1F0004CE"},
      {"", 0x0, "20", "20000", "20000000"},      {"", 0x40, "20", "20040", "20000040"},
      {"", 0xFF, "20", "200FF", "200000FF"},     {"", 0x4CE, "20", "204CE", "200004CE"},
  };
  for (const Case& c : cases) {
    const std::string_view low = c.high.empty() ? "20" : "1E";
    const NamespaceAddress address = splitAddress(offsetText(c.offset), low, c.high);
    EXPECT_EQ(address.segmentText, c.segment) << c.offset;
    EXPECT_EQ(patchAddressText(address), c.patchAddress) << c.offset;
    EXPECT_EQ(farPointerText(address), c.farPointer) << c.offset;
  }
}

TEST(AddressTextsTest, SlotAddressIsTheSumInHex) {
  struct Case {
    std::uint64_t table;
    std::uint64_t slotOffset;
    std::string_view expected;
  };
  const Case cases[] = {
      {0x32516, 0, "32516"}, {0x32516, 4, "3251A"}, {0x32516, 8, "3251E"}, {0x324B2, 8, "324BA"},
      {0x31B18, 8, "31B20"}, {0x31AB4, 4, "31AB8"}, {0, 0, "0"},
  };
  for (const Case& c : cases) EXPECT_EQ(slotAddressText(c.table, c.slotOffset), c.expected);
}

}  // namespace
}  // namespace lvltext
