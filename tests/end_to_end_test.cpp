// Runs the real programs in a temporary folder and compares every byte they leave behind.
//
// Each folder under tests/data is one scenario:
//   program    the program to run, "lvltext6" or "lvltext5"
//   input/     files put into the folder before the run (absent: the folder starts empty)
//   stdin      standard input (absent: an empty file)
//   expected/  files the folder must hold afterwards, byte for byte; no other file may appear
//   stdout, stderr, status   what the run must print and return (absent: nothing, and 0)
#include "end_to_end.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "process.h"

namespace lvltext::testing {
namespace {

namespace fs = std::filesystem;

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

// A patch script that cannot be created is told on standard error, with the reason the system
// gives for creating a file where a directory is, and in the exit status.
TEST(WriteFailureTest, AnUncreatablePatchScriptIsReported) {
  const TemporaryDirectory probe;
  errno = 0;
  EXPECT_EQ(std::fopen(probe.path().string().c_str(), "wb"), nullptr);
  const std::string reason = std::strerror(errno);
  for (const ProgramFiles& files : bothPrograms) {
    const TemporaryDirectory work;
    writeFile(work.path() / files.entryList, "Hello_there\r\n");
    fs::create_directory(work.path() / files.patchScript);
    const ProcessResult result = runProcess(programPath(files.program), work.path(), "");
    EXPECT_EQ(result.standardError, std::string(files.program) + ": cannot write " +
                                        files.patchScript + ": " + reason + "\r\n");
    EXPECT_EQ(result.standardOutput, "");
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_TRUE(fs::is_empty(work.path() / files.patchScript));
  }
}

// After an overflow the wait reads the first item of redirected input and nothing more.
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
      {std::string(100000, 'x') + "\nrest", "rest"},
  };
  for (const Case& c : cases) {
    const TemporaryDirectory work;
    fs::copy(overflowInput, work.path());
    const ProcessResult result = runProcess(LVLTEXT5_PATH, work.path(), c.input);
    EXPECT_EQ(result.standardOutput, notice);
    EXPECT_EQ(result.standardError, "");
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(c.input.substr(result.standardInputPosition), c.leftOver) << c.input.substr(0, 20);
    EXPECT_EQ(readFile(work.path() / "Q5PATCHFILE.TXT"), readFile(overflowScript));
  }
}

TEST(RedirectedWaitTest, ClosedInputEndsTheWaitAtOnce) {
  const TemporaryDirectory work;
  fs::copy(overflowInput, work.path());
  const ProcessResult result = runProcess(LVLTEXT5_PATH, work.path(), std::nullopt);
  EXPECT_EQ(result.standardOutput, notice);
  EXPECT_EQ(result.exitStatus, 0);
  EXPECT_EQ(readFile(work.path() / "Q5PATCHFILE.TXT"), readFile(overflowScript));
}

}  // namespace
}  // namespace lvltext::testing
