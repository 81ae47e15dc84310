#pragma once

#include <cstdint>
#include <string_view>

namespace lvltext {

/// The constants of one program: its file names, the first script line and the game's layout of
/// the level namespace and the two pointer tables. Fixed when the program is built.
struct EpisodeProfile {
  std::string_view entryListFile;
  std::string_view nameListFile;
  std::string_view patchScriptFile;
  std::string_view programName;
  std::string_view extLine;
  std::uint32_t reservedPrefixLength;
  std::uint32_t entryPointerTable;
  std::uint32_t namePointerTable;
  std::uint32_t pointerSlotStep;
  std::uint32_t namespaceLimit;
  std::string_view lowSegmentText;
  /// Empty when the namespace is addressed through one segment only.
  std::string_view highSegmentText;
};

/// Bytes addressed through one segment: a three-digit offset text.
inline constexpr std::uint32_t segmentWindowLength = 0x1000;

/// Offsets at or above this cannot be addressed through the profile's segments.
constexpr std::uint32_t addressWindowLength(const EpisodeProfile& profile) {
  return profile.highSegmentText.empty() ? segmentWindowLength : 2 * segmentWindowLength;
}

/// The number of level-name slots: the name table ends where the entry-text table begins.
constexpr std::uint32_t nameSlotCount(const EpisodeProfile& profile) {
  return (profile.entryPointerTable - profile.namePointerTable) / profile.pointerSlotStep;
}

inline constexpr EpisodeProfile episodeProfile6{
    .entryListFile = "6ENTER.TXT",
    .nameListFile = "6NAMES.TXT",
    .patchScriptFile = "Q6PATCHFILE.TXT",
    .programName = "lvltext6",
    .extLine = "%ext VX6",
    .reservedPrefixLength = 0xF40,
    .entryPointerTable = 0x32516,
    .namePointerTable = 0x324B2,
    .pointerSlotStep = 4,
    .namespaceLimit = 0x14CE,
    .lowSegmentText = "1E",
    .highSegmentText = "1F",
};

inline constexpr EpisodeProfile episodeProfile5{
    .entryListFile = "5ENTER.TXT",
    .nameListFile = "5NAMES.TXT",
    .patchScriptFile = "Q5PATCHFILE.TXT",
    .programName = "lvltext5",
    .extLine = "%ext VX5",
    .reservedPrefixLength = 0x40,
    .entryPointerTable = 0x31B18,
    .namePointerTable = 0x31AB4,
    .pointerSlotStep = 4,
    .namespaceLimit = 0x4CF,
    .lowSegmentText = "20",
    .highSegmentText = "",
};

static_assert(nameSlotCount(episodeProfile6) == 25);
static_assert(nameSlotCount(episodeProfile5) == 25);

}  // namespace lvltext
