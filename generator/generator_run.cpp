#include "generator/generator_run.h"

#include <algorithm>
#include <cstring>

namespace lvltext {
namespace {

constexpr std::string_view lineEnd = "\r\n";
// A pointer line keeps its own copy of a text shorter than this.
constexpr std::size_t longText = 4096;

/// Calls `piece` with the parts of the escaped text in order, without building it whole.
template <typename Piece>
void forEachEscapedPiece(std::string_view text, Piece piece) {
  // Texts are mostly plain: find the next "_" and the next quote with memchr, not byte by byte.
  auto next = [&](char wanted, std::size_t from) {
    const void* found = std::memchr(text.data() + from, wanted, text.size() - from);
    return found == nullptr
               ? text.size()
               : static_cast<std::size_t>(static_cast<const char*>(found) - text.data());
  };
  std::size_t underscore = next('_', 0);
  std::size_t quote = next('"', 0);
  std::size_t start = 0;
  while (underscore < text.size() || quote < text.size()) {
    const std::size_t special = std::min(underscore, quote);
    piece(text.substr(start, special - start));
    if (special == underscore) {
      piece("\" $0A \"");
      underscore = next('_', special + 1);
    } else {
      piece("\" $22 \"");
      quote = next('"', special + 1);
    }
    start = special + 1;
  }
  piece(text.substr(start));
}

}  // namespace

std::string escapeText(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size());
  forEachEscapedPiece(text, [&](std::string_view piece) { escaped += piece; });
  return escaped;
}

GeneratorRun::GeneratorRun(const EpisodeProfile& profile, FileSystem& fileSystem)
    : profile_(profile),
      namespace_(profile.reservedPrefixLength),
      reader_(fileSystem),
      writer_(fileSystem) {}

RunOutcome GeneratorRun::run() {
  reader_.open(profile_.entryListFile);
  writer_.create(profile_.patchScriptFile);
  writer_.write(profile_.extLine);
  writer_.write(lineEnd);
  writer_.write(lineEnd);
  writer_.writeLine("#Level entry texts");

  std::string line;
  while (!reader_.atEnd()) {
    reader_.readLine(line);
    if (!processLine(line)) return RunOutcome::NamespaceExceeded;
  }
  writePointerSection(profile_.entryPointerTable);
  // Entry texts alone may already fill the namespace; names would then add to the overflow,
  // and an empty name list would otherwise hide it.
  if (namespace_.exceedsLimit(profile_.namespaceLimit)) return RunOutcome::NamespaceExceeded;
  reader_.close();

  reader_.open(profile_.nameListFile);
  writer_.writeLine("#Level names");
  // The name table has a fixed number of slots; one more would overwrite the entry-text table.
  for (std::uint32_t name = 0; name < nameSlotCount(profile_) && !reader_.atEnd(); ++name) {
    reader_.readLine(line);
    if (!processLine(line) || namespace_.exceedsLimit(profile_.namespaceLimit)) {
      return RunOutcome::NamespaceExceeded;
    }
  }
  writePointerSection(profile_.namePointerTable);
  writer_.writeLine("%end");
  return RunOutcome::Completed;
}

bool GeneratorRun::processLine(std::string& line) {
  const std::size_t settledLength = namespace_.length();
  std::size_t position = 0;
  if (const auto known = knownTextIndexes_.find(line); known != knownTextIndexes_.end()) {
    position = earlierPlace(knownTexts_[known->second]);
    if (position == 0) {
      pointerSlots_.push_back(known->second);
      return true;
    }
  } else {
    position = namespace_.find(line);
  }
  const bool isNew = position == 0;
  const std::size_t offset = isNew ? namespace_.length() : position - 1;
  if (offset >= addressWindowLength(profile_)) return false;

  const NamespaceAddress address =
      splitAddress(offsetText(offset), profile_.lowSegmentText, profile_.highSegmentText);
  if (isNew) {
    writeTextLine(address, line);
    namespace_.append(line);
  }
  const auto index = static_cast<std::uint32_t>(knownTexts_.size());
  std::string pointerLineEnd = " $" + farPointerText(address) + "RL #";
  if (line.size() < longText) pointerLineEnd.append(line).append(lineEnd);
  const bool holdsNul = line.find('\0') != std::string::npos;
  knownTexts_.push_back(
      {std::move(line), std::move(pointerLineEnd), offset, settledLength, holdsNul});
  // Each empty line is stored anew (it takes one NUL byte of its own), so it is never reused.
  // A text that moved left gets a new entry; its earlier lines keep their pointers.
  if (!knownTexts_.back().text.empty()) knownTextIndexes_[knownTexts_.back().text] = index;
  pointerSlots_.push_back(index);
  return true;
}

std::size_t GeneratorRun::earlierPlace(KnownText& known) {
  // A new place further left would have to run across the end of the namespace as it was when
  // the text was placed. That end is a NUL byte (or, before any text, the end of the reserved
  // prefix, where no place may start), so only a text holding a NUL byte can get one: "\0\0"
  // stored after "a" fits again one byte earlier, across "a"'s NUL. Such a place starts at most
  // the text's length before that end, so only the bytes from there on are searched again; any
  // place before them was there already and lies at or after the known one.
  if (!known.holdsNul || known.settledLength == namespace_.length()) return 0;
  const std::size_t from = known.settledLength - std::min(known.settledLength, known.text.size());
  const std::size_t position = namespace_.find(known.text, from);
  known.settledLength = namespace_.length();
  return position != 0 && position - 1 < known.offset ? position : 0;
}

void GeneratorRun::writeTextLine(const NamespaceAddress& address, std::string_view text) {
  writer_.write("%patch $");
  writer_.write(patchAddressText(address));
  writer_.write(" \"");
  forEachEscapedPiece(text, [&](std::string_view piece) { writer_.write(piece); });
  writer_.write("\"");
  writer_.writeLine(" $00");
}

void GeneratorRun::writePointerSection(std::uint32_t tableAddress) {
  writer_.write(lineEnd);
  writer_.write("#Level name pointers");
  writer_.write(lineEnd);
  std::uint64_t slotOffset = 0;
  for (const std::uint32_t index : pointerSlots_) {
    const KnownText& known = knownTexts_[index];
    writer_.write("%patch $");
    writer_.write(HexText(slotAddress(tableAddress, slotOffset)).view());
    writer_.write(known.pointerLineEnd);
    if (known.text.size() >= longText) {
      writer_.write(known.text);
      writer_.write(lineEnd);
    }
    slotOffset += profile_.pointerSlotStep;
  }
  pointerSlots_.clear();
  writer_.write(lineEnd);
  writer_.write(lineEnd);
}

}  // namespace lvltext
