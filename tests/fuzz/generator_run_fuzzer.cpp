// Any two byte strings as the entry list and the name list, in either profile. The script must
// parse; its text lines must lay the stored texts end to end from the reserved prefix on, each
// exactly once; and every pointer must lie in the address window and name, in the game's bytes,
// exactly its line followed by a NUL. For a text without a NUL byte that place is also the
// leftmost one in the final namespace (later texts cannot make an earlier one for it), unless the
// text is empty.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "generator/generator_run.h"
#include "textfiles/memory_file_system.h"

namespace {

using lvltext::EpisodeProfile;

void require(bool condition) {
  if (!condition) std::abort();
}

bool isHex(std::string_view text) {
  return !text.empty() && text.find_first_not_of("0123456789ABCDEF") == std::string_view::npos;
}

std::uint64_t hexValue(std::string_view text) {
  require(isHex(text));
  return std::stoull(std::string(text), nullptr, 16);
}

/// Takes `prefix` off the front of `text`, or fails.
void consume(std::string_view& text, std::string_view prefix) {
  require(text.starts_with(prefix));
  text.remove_prefix(prefix.size());
}

struct Checker {
  const EpisodeProfile& profile;
  std::uint64_t base;  // address of namespace offset 0
  std::string game;    // the namespace as the game will hold it
  std::size_t end;     // where the next text line must start

  explicit Checker(const EpisodeProfile& p)
      : profile(p), base(hexValue(p.lowSegmentText) << 12), end(p.reservedPrefixLength) {
    game.assign(p.reservedPrefixLength, ' ');
  }

  /// `%patch $SSOOO "..." $00`, with `_` written as `" $0A "` and quotes as `" $22 "`.
  void textLine(std::string_view line) {
    consume(line, "%patch $");
    const std::size_t offset = hexValue(line.substr(0, 5)) - base;
    require(line.size() > 5);
    line.remove_prefix(5);
    consume(line, " \"");
    require(line.ends_with("\" $00"));
    line.remove_suffix(5);
    std::string text;
    while (true) {
      const std::size_t quote = line.find('"');
      if (quote == std::string_view::npos) {
        text += line;
        break;
      }
      text += line.substr(0, quote);
      line.remove_prefix(quote);
      if (line.starts_with("\" $0A \"")) {
        text += '\n';
      } else {
        consume(line, "\" $22 \"");
        text += '"';
        continue;
      }
      line.remove_prefix(7);
    }
    require(offset == end);  // end to end, no gap, no overlap
    require(offset < lvltext::addressWindowLength(profile));
    game += text;
    game += '\0';
    end = game.size();
  }

  /// `%patch $SLOT $SS000OOORL #line`.
  void pointerLine(std::string_view line, std::uint64_t slotAddress) {
    consume(line, "%patch $");
    const std::size_t space = line.find(' ');
    require(space != std::string_view::npos);
    require(hexValue(line.substr(0, space)) == slotAddress);
    line.remove_prefix(space);
    consume(line, " $");
    const std::string_view pointer = line.substr(0, 8);
    require(isHex(pointer) && pointer.substr(2, 3) == "000");
    line.remove_prefix(8);
    consume(line, "RL #");
    const std::uint64_t offset =
        (hexValue(pointer.substr(0, 2)) << 12) + hexValue(pointer.substr(5)) - base;
    require(offset >= profile.reservedPrefixLength);
    require(offset < lvltext::addressWindowLength(profile));
    std::string shown(line);
    for (char& c : shown) c = c == '_' ? '\n' : c;
    pointers.push_back({offset, shown});
  }

  struct Pointer {
    std::uint64_t offset;
    std::string text;
  };
  std::vector<Pointer> pointers;

  void checkPointers() const {
    for (const Pointer& pointer : pointers) {
      require(pointer.offset + pointer.text.size() < game.size());
      require(game.compare(pointer.offset, pointer.text.size(), pointer.text) == 0);
      require(game[pointer.offset + pointer.text.size()] == '\0');
      // An empty line always takes a NUL byte of its own.
      if (!pointer.text.empty() && pointer.text.find('\0') == std::string::npos) {
        require(game.find(pointer.text + '\0', profile.reservedPrefixLength) == pointer.offset);
      }
    }
  }
};

std::vector<std::string_view> splitLines(std::string_view script) {
  std::vector<std::string_view> lines;
  while (!script.empty()) {
    const std::size_t end = script.find("\r\n");
    require(end != std::string_view::npos);  // every line ends with CR LF
    lines.push_back(script.substr(0, end));
    script.remove_prefix(end + 2);
  }
  return lines;
}

void checkRun(const EpisodeProfile& profile, const std::string& entries, const std::string& names) {
  lvltext::MemoryFileSystem fileSystem;
  fileSystem.files[std::string(profile.entryListFile)] = entries;
  fileSystem.files[std::string(profile.nameListFile)] = names;
  lvltext::GeneratorRun run(profile, fileSystem);
  const lvltext::RunOutcome outcome = run.run();
  lvltext::closeAllFiles(run.reader(), run.writer());
  require(run.writer().failure().empty());
  const std::vector<std::string_view> lines =
      splitLines(fileSystem.files[std::string(profile.patchScriptFile)]);

  Checker checker(profile);
  std::size_t index = 0;
  auto next = [&]() -> std::string_view {
    require(index < lines.size());
    return lines[index++];
  };
  auto atEnd = [&] { return index == lines.size(); };
  require(next() == profile.extLine);
  require(next().empty());
  require(next() == "#Level entry texts");
  for (const std::uint64_t table : {profile.entryPointerTable, profile.namePointerTable}) {
    while (!atEnd() && lines[index].starts_with("%patch $")) checker.textLine(next());
    if (atEnd()) break;  // stopped in a text pass
    require(next().empty());
    require(next() == "#Level name pointers");
    std::uint64_t slot = table;
    while (!atEnd() && lines[index].starts_with("%patch $")) {
      checker.pointerLine(next(), slot);
      slot += profile.pointerSlotStep;
    }
    if (table == profile.namePointerTable) require(slot <= profile.entryPointerTable);
    require(next().empty());
    require(next().empty());
    if (atEnd()) break;  // the limit test after the entry pass
    require(next() == (table == profile.entryPointerTable ? "#Level names" : "%end"));
  }
  require(atEnd());
  require((lines.back() == "%end") == (outcome == lvltext::RunOutcome::Completed));
  if (outcome == lvltext::RunOutcome::Completed) {
    require(checker.end <= profile.namespaceLimit);
  }
  checker.checkPointers();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const std::string bytes(reinterpret_cast<const char*>(data) + 2, size - 2);
  const std::size_t split = (data[0] | (data[1] << 8)) % (bytes.size() + 1);
  const EpisodeProfile& profile =
      (data[0] & 0x80) != 0 ? lvltext::episodeProfile5 : lvltext::episodeProfile6;
  checkRun(profile, bytes.substr(0, split), bytes.substr(split));
  return 0;
}
