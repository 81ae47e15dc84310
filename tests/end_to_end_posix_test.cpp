// End-to-end cases that need POSIX devices and a shell.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "end_to_end.h"
#include "process.h"

namespace lvltext::testing {
namespace {

namespace fs = std::filesystem;

// Bytes that cannot all be written (a full disk) are told on standard error, and the exit
// status is 1, after the whole run.
TEST(WriteFailureTest, AFullDiskIsReported) {
  for (const char* program : {"lvltext6", "lvltext5"}) {
    const std::string digit(1, program[7]);
    const TemporaryDirectory work;
    writeFile(work.path() / (digit + "ENTER.TXT"), "Hello_there\r\n");
    const std::string patchScript = "Q" + digit + "PATCHFILE.TXT";
    fs::create_symlink("/dev/full", work.path() / patchScript);
    const ProcessResult result = runProcess(programPath(program), work.path(), "");
    EXPECT_EQ(result.standardError, std::string(program) + ": cannot write " + patchScript + ": " +
                                        std::strerror(ENOSPC) + "\r\n");
    EXPECT_EQ(result.standardOutput, "");
    EXPECT_EQ(result.exitStatus, 1);
  }
}

// Lists that are not regular files read as empty lists: a named pipe must not make the program
// wait for a writer.
TEST(UnusualListsTest, ANamedPipeOrDeviceReadsAsEmpty) {
  const TemporaryDirectory work;
  ASSERT_EQ(::mkfifo((work.path() / "6ENTER.TXT").c_str(), 0644), 0);
  fs::create_symlink("/dev/zero", work.path() / "6NAMES.TXT");
  const ProcessResult result = runProcess(LVLTEXT6_PATH, work.path(), "");
  EXPECT_EQ(result.exitStatus, 0);
  EXPECT_EQ(readFile(work.path() / "Q6PATCHFILE.TXT"),
            readFile(dataDirectory / "both_lists_missing_6" / "expected" / "Q6PATCHFILE.TXT"));
}

// From a pipe the wait also reads only the first item: the rest is left for the next reader.
TEST(RedirectedWaitTest, LeavesThePipeAfterTheFirstItem) {
  const TemporaryDirectory work;
  fs::copy(overflowInput, work.path());
  const ProcessResult result = runProcess("/bin/sh", work.path(), "abc, def\r\nnext\r\n",
                                          {"-c", "cat | { \"$0\"; cat; }", LVLTEXT5_PATH});
  EXPECT_EQ(result.standardOutput, notice + " def\r\nnext\r\n");
  EXPECT_EQ(result.exitStatus, 0);
  EXPECT_EQ(readFile(work.path() / "Q5PATCHFILE.TXT"), readFile(overflowScript));
}

// Started without standard output, the program must not write the notice into the first file it
// opens, which here is the patch script.
TEST(RedirectedWaitTest, ClosedOutputNeverReachesThePatchScript) {
  const TemporaryDirectory work;
  const std::string name(1200, 'N');
  writeFile(work.path() / "5NAMES.TXT", name + "\r\n");
  const ProcessResult result =
      runProcess("/bin/sh", work.path(), "", {"-c", "\"$0\" >&-", LVLTEXT5_PATH});
  EXPECT_EQ(result.exitStatus, 0);
  EXPECT_EQ(readFile(work.path() / "Q5PATCHFILE.TXT"),
            "%ext VX5\r\n\r\n#Level entry texts\r\n\r\n#Level name pointers\r\n\r\n\r\n"
            "#Level names\r\n%patch $20040 \"" +
                name + "\" $00\r\n");
}

}  // namespace
}  // namespace lvltext::testing
