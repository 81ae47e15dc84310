// Runs the real programs in a temporary folder and compares every byte they leave behind.
//
// Each folder under tests/data is one scenario:
//   program    the program to run, "lvltext6" or "lvltext5"
//   input/     files put into the folder before the run (absent: the folder starts empty)
//   stdin      standard input (absent: an empty file)
//   expected/  files the folder must hold afterwards, byte for byte; no other file may appear
//   stdout, stderr, status   what the run must print and return (absent: nothing, and 0)
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "process.h"

namespace lvltext::testing {
namespace {

namespace fs = std::filesystem;

const fs::path dataDirectory = LVLTEXT_DATA_DIR;

fs::path programPath(const std::string& name) {
  if (name == "lvltext6") return LVLTEXT6_PATH;
  if (name == "lvltext5") return LVLTEXT5_PATH;
  throw std::runtime_error("unknown program " + name);
}

std::string readOptional(const fs::path& path, const std::string& fallback) {
  return fs::exists(path) ? readFile(path) : fallback;
}

std::string trimmed(std::string text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.pop_back();
  return text;
}

std::set<std::string> fileNamesIn(const fs::path& directory) {
  std::set<std::string> names;
  if (!fs::exists(directory)) return names;
  for (const auto& entry : fs::directory_iterator(directory)) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

std::vector<std::string> scenarioNames() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(dataDirectory)) {
    if (entry.is_directory()) names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

class ScenarioTest : public ::testing::TestWithParam<std::string> {};

TEST_P(ScenarioTest, LeavesExactlyTheExpectedBytes) {
  const fs::path scenario = dataDirectory / GetParam();
  const TemporaryDirectory work;
  const fs::path input = scenario / "input";
  if (fs::exists(input)) fs::copy(input, work.path(), fs::copy_options::recursive);

  const ProcessResult result = runProcess(programPath(trimmed(readFile(scenario / "program"))),
                                          work.path(), readOptional(scenario / "stdin", ""));

  EXPECT_EQ(result.standardOutput, readOptional(scenario / "stdout", ""));
  EXPECT_EQ(result.standardError, readOptional(scenario / "stderr", ""));
  EXPECT_EQ(result.exitStatus, std::stoi(readOptional(scenario / "status", "0")));
  std::set<std::string> expectedNames = fileNamesIn(input);
  for (const std::string& name : fileNamesIn(scenario / "expected")) {
    expectedNames.insert(name);
    ASSERT_TRUE(fs::exists(work.path() / name)) << name << " was not written";
    EXPECT_EQ(readFile(work.path() / name), readFile(scenario / "expected" / name)) << name;
  }
  EXPECT_EQ(fileNamesIn(work.path()), expectedNames);
}

INSTANTIATE_TEST_SUITE_P(Data, ScenarioTest, ::testing::ValuesIn(scenarioNames()),
                         [](const auto& info) { return info.param; });

struct ProgramFiles {
  const char* program;
  const char* entryList;
  const char* patchScript;
};
const ProgramFiles bothPrograms[] = {
    {"lvltext6", "6ENTER.TXT", "Q6PATCHFILE.TXT"},
    {"lvltext5", "5ENTER.TXT", "Q5PATCHFILE.TXT"},
};

// A patch script that cannot be created, or whose bytes cannot all be written, is told on
// standard error and in the exit status; the run itself goes on as usual.
TEST(WriteFailureTest, IsReportedWithTheSystemsReason) {
  struct Case {
    const char* what;
    void (*prepare)(const fs::path& patchScript);
    int error;
  };
  const Case cases[] = {
      {"a directory in its place", [](const fs::path& path) { fs::create_directory(path); },
       EISDIR},
      {"a full disk", [](const fs::path& path) { fs::create_symlink("/dev/full", path); }, ENOSPC},
  };
  for (const Case& c : cases) {
    for (const ProgramFiles& files : bothPrograms) {
      const TemporaryDirectory work;
      writeFile(work.path() / files.entryList, "Hello_there\r\n");
      c.prepare(work.path() / files.patchScript);
      const ProcessResult result = runProcess(programPath(files.program), work.path(), "");
      EXPECT_EQ(result.standardError, std::string(files.program) + ": cannot write " +
                                          files.patchScript + ": " + std::strerror(c.error) +
                                          "\r\n")
          << c.what;
      EXPECT_EQ(result.standardOutput, "") << c.what;
      EXPECT_EQ(result.exitStatus, 1) << c.what;
    }
  }
}

const std::string notice =
    "Level namespace exceeded!\r\n"
    "Your level names and entry texts are too large for the available game space!\r\n"
    "The simplest thing to do is to shorten your level entry texts!\r\n";

// After an overflow the wait reads the first item of redirected input and nothing more: what
// follows it is still there for the next reader, here `cat`, from a file and from a pipe alike.
TEST(RedirectedWaitTest, ReadsOnlyTheFirstItemAndEchoesNothing) {
  struct Case {
    std::string input;
    std::string leftOver;
  };
  const Case cases[] = {
      {"", ""},
      {"abc, def\r\nnext line\r\n", " def\r\nnext line\r\n"},
      {"\"a,b\",c\n", "c\n"},
      {"12\rrest", "rest"},
      {"no line end at all", ""},
      {"\n", ""},
  };
  const fs::path overflow = dataDirectory / "limit_1232_5";
  const std::string expectedScript = readFile(overflow / "expected" / "Q5PATCHFILE.TXT");
  const std::vector<std::pair<const char*, std::string>> shells = {
      {"file", "\"$0\"; cat"},
      {"pipe", "cat | { \"$0\"; cat; }"},
  };
  for (const Case& c : cases) {
    for (const auto& [how, script] : shells) {
      const TemporaryDirectory work;
      fs::copy(overflow / "input", work.path());
      const ProcessResult result =
          runProcess("/bin/sh", work.path(), c.input, {"-c", script, LVLTEXT5_PATH});
      EXPECT_EQ(result.standardOutput, notice + c.leftOver) << how << " " << c.input;
      EXPECT_EQ(result.standardError, "");
      EXPECT_EQ(result.exitStatus, 0);
      EXPECT_EQ(readFile(work.path() / "Q5PATCHFILE.TXT"), expectedScript);
    }
  }
}

TEST(RedirectedWaitTest, ClosedInputEndsTheWaitAtOnce) {
  const TemporaryDirectory work;
  fs::copy(dataDirectory / "limit_1232_5" / "input", work.path());
  const ProcessResult result = runProcess(LVLTEXT5_PATH, work.path(), std::nullopt);
  EXPECT_EQ(result.standardOutput, notice);
  EXPECT_EQ(result.exitStatus, 0);
  EXPECT_EQ(readFile(work.path() / "Q5PATCHFILE.TXT"),
            readFile(dataDirectory / "limit_1232_5" / "expected" / "Q5PATCHFILE.TXT"));
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
