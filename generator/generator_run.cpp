#include "generator/generator_run.h"

namespace lvltext {
namespace {

constexpr std::string_view lineEnd = "\r\n";

/// Calls `piece` with the parts of the escaped text in order, without building it whole.
template <typename Piece>
void forEachEscapedPiece(std::string_view text, Piece piece) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char character = text[i];
    if (character != '_' && character != '"') continue;
    piece(text.substr(start, i - start));
    piece(character == '_' ? std::string_view("\" $0A \"") : std::string_view("\" $22 \""));
    start = i + 1;
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

  while (!reader_.atEnd()) {
    if (!processLine(reader_.readLine())) return RunOutcome::NamespaceExceeded;
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
    if (!processLine(reader_.readLine()) || namespace_.exceedsLimit(profile_.namespaceLimit)) {
      return RunOutcome::NamespaceExceeded;
    }
  }
  writePointerSection(profile_.namePointerTable);
  writer_.writeLine("%end");
  return RunOutcome::Completed;
}

bool GeneratorRun::processLine(std::string line) {
  const std::size_t position = namespace_.find(line);
  const bool isNew = position == 0;
  const std::size_t offset = isNew ? namespace_.length() : position - 1;
  if (offset >= addressWindowLength(profile_)) return false;

  if (isNew) {
    writeTextLine(addressOf(offset), line);
    namespace_.append(line);
  }
  pointerSlots_.push_back({static_cast<std::uint32_t>(offset), keepText(std::move(line))});
  return true;
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
  for (const PointerSlot& slot : pointerSlots_) {
    writer_.write("%patch $");
    writer_.write(slotAddressText(tableAddress, slotOffset));
    writer_.write(" $");
    writer_.write(farPointerText(addressOf(slot.textOffset)));
    writer_.write("RL #");
    writer_.write(texts_[slot.textIndex]);
    writer_.write(lineEnd);
    slotOffset += profile_.pointerSlotStep;
  }
  pointerSlots_.clear();
  writer_.write(lineEnd);
  writer_.write(lineEnd);
}

NamespaceAddress GeneratorRun::addressOf(std::size_t offset) const {
  return splitAddress(offsetText(offset), profile_.lowSegmentText, profile_.highSegmentText);
}

std::uint32_t GeneratorRun::keepText(std::string line) {
  if (const auto known = textIndexes_.find(line); known != textIndexes_.end()) {
    return known->second;
  }
  const auto index = static_cast<std::uint32_t>(texts_.size());
  texts_.push_back(std::move(line));
  textIndexes_.emplace(texts_.back(), index);
  return index;
}

}  // namespace lvltext
