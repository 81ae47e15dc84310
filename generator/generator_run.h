#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "generator/address_texts.h"
#include "generator/episode_profile.h"
#include "generator/level_namespace.h"
#include "textfiles/patch_script_writer.h"
#include "textfiles/text_line_reader.h"

namespace lvltext {

enum class RunOutcome {
  /// The patch script was written through "%end".
  Completed,
  /// The texts do not fit the level namespace; the script stops where the run stopped.
  NamespaceExceeded,
};

/// The text between the quotes of a text line: each "_" becomes the byte 0x0A and each quote
/// character the byte 0x22, both written as a closed string, the byte value and a reopened one.
std::string escapeText(std::string_view text);

/// One run of a program: reads the entry list, then the name list, and writes the patch script.
/// Used once; the reader and the writer stay open after `run` until `closeAllFiles`.
class GeneratorRun {
 public:
  GeneratorRun(const EpisodeProfile& profile, FileSystem& fileSystem);

  RunOutcome run();

  TextLineReader& reader() { return reader_; }
  PatchScriptWriter& writer() { return writer_; }

 private:
  /// A distinct text of the run's lines, kept once however often it comes, with the end of
  /// its pointer lines: " $", its far pointer text, "RL #", the text (unless it is long, when it
  /// is written from `text` instead of being held twice) and CR LF.
  struct KnownText {
    std::string text;
    std::string pointerLineEnd;
    std::size_t offset;
    /// The namespace length when `offset` was last known to be the text's leftmost place.
    std::size_t settledLength;
    bool holdsNul;
  };

  /// Handles one list line; a new text is moved out of `line`. Returns false, having written
  /// nothing for the line, when its text would lie outside the address window.
  bool processLine(std::string& line);
  /// 1-based position of a place further left than its known one where a repeated text now
  /// fits; 0 when the known place is still the leftmost.
  std::size_t earlierPlace(KnownText& known);
  /// Writes the pass's pointer section, one line per slot of the table at `tableAddress`.
  void writePointerSection(std::uint32_t tableAddress);
  void writeTextLine(const NamespaceAddress& address, std::string_view text);

  const EpisodeProfile& profile_;
  LevelNamespace namespace_;
  TextLineReader reader_;
  PatchScriptWriter writer_;
  // The pointer section is written only after the pass's text lines, so its lines wait here as
  // indexes into `knownTexts_`: a long list of repeated texts costs a few bytes per line.
  std::vector<std::uint32_t> pointerSlots_;
  // A repeated line mostly needs no new search: the namespace only grows at its end, so a
  // text's place can move only for a text with a NUL byte (see `earlierPlace`). A deque never
  // moves its elements, so the map's views of their texts stay valid.
  std::deque<KnownText> knownTexts_;
  std::unordered_map<std::string_view, std::uint32_t> knownTextIndexes_;
};

}  // namespace lvltext
