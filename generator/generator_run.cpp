#include "generator/generator_run.h"

#include "generator/address_texts.h"

namespace lvltext {
namespace {

constexpr std::string_view lineEnd = "\r\n";
constexpr std::string_view pointerHeading = "#Level name pointers";

}  // namespace

std::string escapeText(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (const char character : text) {
    switch (character) {
      case '_':
        escaped += "\" $0A \"";
        break;
      case '"':
        escaped += "\" $22 \"";
        break;
      default:
        escaped += character;
    }
  }
  return escaped;
}

GeneratorRun::GeneratorRun(const EpisodeProfile& profile, FileSystem& fileSystem)
    : profile_(profile),
      namespace_(profile.reservedPrefixLength),
      reader_(fileSystem),
      writer_(fileSystem) {}

void GeneratorRun::startPointerSection() {
  pointerSection_.assign(pointerHeading).append(lineEnd);
  slotOffset_ = 0;
}

void GeneratorRun::writePointerSection() {
  writer_.write(lineEnd);
  writer_.write(pointerSection_);
  writer_.write(lineEnd);
  writer_.write(lineEnd);
}

RunOutcome GeneratorRun::run() {
  startPointerSection();
  reader_.open(profile_.entryListFile);
  writer_.create(profile_.patchScriptFile);
  writer_.write(profile_.extLine);
  writer_.write(lineEnd);
  writer_.write(lineEnd);
  writer_.writeLine("#Level entry texts");

  while (!reader_.atEnd()) {
    if (!processLine(reader_.readLine(), profile_.entryPointerTable)) {
      return RunOutcome::NamespaceExceeded;
    }
  }
  writePointerSection();
  // Entry texts alone may already fill the namespace; names would then add to the overflow,
  // and an empty name list would otherwise hide it.
  if (namespace_.exceedsLimit(profile_.namespaceLimit)) return RunOutcome::NamespaceExceeded;
  reader_.close();

  startPointerSection();
  reader_.open(profile_.nameListFile);
  writer_.writeLine("#Level names");
  // The name table has a fixed number of slots; one more would overwrite the entry-text table.
  for (std::uint32_t name = 0; name < nameSlotCount(profile_) && !reader_.atEnd(); ++name) {
    if (!processLine(reader_.readLine(), profile_.namePointerTable) ||
        namespace_.exceedsLimit(profile_.namespaceLimit)) {
      return RunOutcome::NamespaceExceeded;
    }
  }
  writePointerSection();
  writer_.writeLine("%end");
  return RunOutcome::Completed;
}

bool GeneratorRun::processLine(std::string_view line, std::uint32_t tableAddress) {
  const std::size_t position = namespace_.find(line);
  const bool isNew = position == 0;
  const std::size_t offset = isNew ? namespace_.length() : position - 1;
  if (offset >= addressWindowLength(profile_)) return false;

  const NamespaceAddress address =
      splitAddress(offsetText(offset), profile_.lowSegmentText, profile_.highSegmentText);
  if (isNew) {
    writer_.write("%patch $");
    writer_.write(patchAddressText(address));
    writer_.write(" \"");
    writer_.write(escapeText(line));
    writer_.write("\"");
    writer_.writeLine(" $00");
  }
  pointerSection_.append("%patch $")
      .append(slotAddressText(tableAddress, slotOffset_))
      .append(" $")
      .append(farPointerText(address))
      .append("RL #")
      .append(line)
      .append(lineEnd);
  if (isNew) namespace_.append(line);
  slotOffset_ += profile_.pointerSlotStep;
  return true;
}

}  // namespace lvltext
