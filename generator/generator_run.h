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
  /// One line of the current pass: where its text lies and which text it is.
  struct PointerSlot {
    std::uint32_t textOffset;
    std::uint32_t textIndex;
  };

  /// Handles one list line. Returns false, having written nothing for the line, when its text
  /// would lie outside the address window.
  bool processLine(std::string line);
  /// Writes the pass's pointer section, one line per slot of the table at `tableAddress`.
  void writePointerSection(std::uint32_t tableAddress);
  void writeTextLine(const NamespaceAddress& address, std::string_view text);
  NamespaceAddress addressOf(std::size_t offset) const;
  /// The index of `line` among the distinct texts of the run, kept once however often it comes.
  std::uint32_t keepText(std::string line);

  const EpisodeProfile& profile_;
  LevelNamespace namespace_;
  TextLineReader reader_;
  PatchScriptWriter writer_;
  // The pointer section is written only after the pass's text lines, so its lines wait here:
  // a long list of repeated texts costs a few bytes per line, not a copy of each.
  std::vector<PointerSlot> pointerSlots_;
  std::deque<std::string> texts_;  // a deque never moves its strings, so views of them stay valid
  std::unordered_map<std::string_view, std::uint32_t> textIndexes_;
};

}  // namespace lvltext
