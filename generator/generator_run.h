#pragma once

#include <cstdint>
#include <string>
#include <string_view>

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
  /// Handles one list line against the pointer table at `tableAddress`. Returns false, having
  /// written nothing for the line, when its text would lie outside the address window.
  bool processLine(std::string_view line, std::uint32_t tableAddress);
  void startPointerSection();
  void writePointerSection();

  const EpisodeProfile& profile_;
  LevelNamespace namespace_;
  TextLineReader reader_;
  PatchScriptWriter writer_;
  std::string pointerSection_;
  std::uint64_t slotOffset_ = 0;
};

}  // namespace lvltext
