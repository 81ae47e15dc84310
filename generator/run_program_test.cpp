#include "generator/run_program.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "textfiles/memory_file_system.h"

namespace lvltext {
namespace {

/// Records what the program shows; standard input is redirected and empty.
class RecordingConsole final : public Console {
 public:
  std::string shown;  // standard output and standard error, in order, marked
  void writeOutput(std::string_view bytes) override { shown.append("out:").append(bytes); }
  void writeError(std::string_view bytes) override { shown.append("err:").append(bytes); }
  bool inputIsTerminal() override { return false; }
  void discardFirstInputItem() override { shown.append("wait;"); }
  void readLineAtTerminal(std::string_view) override { shown.append("edit;"); }
};

const std::string notice =
    "Level namespace exceeded!\r\n"
    "Your level names and entry texts are too large for the available game space!\r\n"
    "The simplest thing to do is to shorten your level entry texts!\r\n";

/// Lists whose patch script spans several blocks: a long pointer section and, to overflow, a
/// text of more than a block, which goes out in one write of its own.
void fillLists(MemoryFileSystem& fileSystem, bool overflow) {
  std::string entries;
  for (int i = 0; i < 1500; ++i) entries += "Entry text number " + std::to_string(i % 3) + "\r\n";
  if (overflow) entries += std::string(9000, 'L') + "\r\n";
  fileSystem.files["6ENTER.TXT"] = entries;
  fileSystem.files["6NAMES.TXT"] = "A name\r\n";
}

// Every way the patch script can fail to be written ends in the same report and exit status,
// after the notice and the wait when there is one, and never as a success.
TEST(RunProgramTest, EveryWriteFailureIsReported) {
  for (const bool overflow : {false, true}) {
    MemoryFileSystem healthy;
    fillLists(healthy, overflow);
    RecordingConsole console;
    ASSERT_EQ(runProgram(episodeProfile6, healthy, console), 0);
    const std::string healthyShown = overflow ? "out:" + notice + "wait;" : "";
    ASSERT_EQ(console.shown, healthyShown);
    ASSERT_GE(healthy.writeCount, 5u);

    const std::string report = "err:lvltext6: cannot write Q6PATCHFILE.TXT: ";
    for (std::size_t k = 1; k <= healthy.writeCount; ++k) {
      MemoryFileSystem fileSystem;
      fillLists(fileSystem, overflow);
      fileSystem.failingWrite = k;
      RecordingConsole failing;
      EXPECT_EQ(runProgram(episodeProfile6, fileSystem, failing), 1) << k;
      EXPECT_EQ(failing.shown, healthyShown + report + "No space left on device\r\n") << k;
      EXPECT_LT(fileSystem.files["Q6PATCHFILE.TXT"].size(),
                healthy.files["Q6PATCHFILE.TXT"].size());
    }
    for (const bool failCreate : {true, false}) {
      MemoryFileSystem fileSystem;
      fillLists(fileSystem, overflow);
      (failCreate ? fileSystem.createFailure : fileSystem.closeFailure) = "Input/output error";
      RecordingConsole failing;
      EXPECT_EQ(runProgram(episodeProfile6, fileSystem, failing), 1);
      EXPECT_EQ(failing.shown, healthyShown + report + "Input/output error\r\n");
    }
  }
}

}  // namespace
}  // namespace lvltext
