// Drives the real program through a pseudo-terminal, as a user at a terminal would.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <fstream>
#include <sstream>
#include <thread>
#include <vector>

#include "end_to_end.h"
#include "process.h"

namespace lvltext::testing {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

/// The few terminal controls the program sends, applied to a screen of rows of cells; a cell
/// holds one character's bytes.
class Screen {
 public:
  void apply(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      const char c = bytes[i];
      if (c == '\r') {
        column_ = 0;
      } else if (c == '\n') {
        rows_.emplace_back();
        column_ = 0;
      } else if (c == '\b') {
        if (column_ > 0) --column_;
      } else if (c == '\x1b' && i + 1 < bytes.size() && bytes[i + 1] == '[') {
        std::size_t end = i + 2;
        while (end < bytes.size() && std::isdigit(static_cast<unsigned char>(bytes[end])) != 0) {
          ++end;
        }
        const std::string digits(bytes.substr(i + 2, end - i - 2));
        const std::size_t count = digits.empty() ? 1 : std::stoul(digits);
        const char final = end < bytes.size() ? bytes[end] : '\0';
        if (final == 'D') column_ -= std::min(column_, count);
        if (final == 'C') column_ += count;
        if (final == 'K') rows_.back().resize(std::min(rows_.back().size(), column_));
        i = end;
      } else {
        std::string character(1, c);
        while (i + 1 < bytes.size() && (static_cast<unsigned char>(bytes[i + 1]) & 0xC0) == 0x80) {
          character += bytes[++i];
        }
        std::vector<std::string>& row = rows_.back();
        if (row.size() <= column_) row.resize(column_ + 1, " ");
        row[column_++] = character;
      }
    }
  }

  std::vector<std::string> rows() const {
    std::vector<std::string> texts;
    for (const auto& row : rows_) {
      std::string text;
      for (const std::string& cell : row) text += cell;
      texts.push_back(text);
    }
    return texts;
  }

 private:
  std::vector<std::vector<std::string>> rows_{1};
  std::size_t column_ = 0;
};

/// The program running on the slave side of a new pseudo-terminal, in a folder holding the
/// overflowing lists.
class TerminalSession {
 public:
  struct Options {
    bool outputToFile = false;
    bool controllingTerminal = true;
  };

  TerminalSession() : TerminalSession(Options{}) {}
  explicit TerminalSession(Options options) {
    fs::copy(overflowInput, work_.path());
    if (::openpty(&master_, &slave_, nullptr, nullptr, nullptr) != 0)
      throw std::runtime_error("openpty");
    ::tcgetattr(slave_, &settingsBefore_);
    child_ = ::fork();
    if (child_ == 0) {
      ::setsid();
      if (options.controllingTerminal) ::ioctl(slave_, TIOCSCTTY, 0);
      ::dup2(slave_, STDIN_FILENO);
      const int output = options.outputToFile
                             ? ::open(outputPath().c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644)
                             : slave_;
      ::dup2(output, STDOUT_FILENO);
      ::dup2(output, STDERR_FILENO);
      ::close(master_);
      if (::chdir(work_.path().c_str()) != 0) ::_exit(126);
      ::execl(LVLTEXT5_PATH, LVLTEXT5_PATH, static_cast<char*>(nullptr));
      ::_exit(127);
    }
  }

  ~TerminalSession() {
    if (child_ > 0 && !exited_) {
      ::kill(child_, SIGKILL);
      ::waitpid(child_, nullptr, 0);
    }
    ::close(master_);
    ::close(slave_);
  }

  /// Reads what the program shows until `text` has appeared; false if it does not in time.
  bool waitForScreen(std::string_view text) {
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (shown_.find(text) == std::string::npos) {
      if (std::chrono::steady_clock::now() > deadline) return false;
      readAvailable(50);
    }
    return true;
  }

  /// Waits until the program's output file holds `text`.
  bool waitForFile(std::string_view text) {
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (readFileIfAny(outputPath()).find(text) == std::string::npos) {
      if (std::chrono::steady_clock::now() > deadline) return false;
      std::this_thread::sleep_for(10ms);
    }
    return true;
  }

  void type(std::string_view bytes) {
    ASSERT_EQ(::write(master_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  }

  /// Waits for the program to end, collecting the rest of what it shows.
  int waitForExit() {
    int status = 0;
    for (;;) {
      readAvailable(20);
      const pid_t done = ::waitpid(child_, &status, WNOHANG);
      if (done == child_) break;
    }
    exited_ = true;
    readAvailable(20);
    return status;
  }

  bool settingsRestored() const {
    struct termios after {};
    ::tcgetattr(slave_, &after);
    return after.c_iflag == settingsBefore_.c_iflag && after.c_oflag == settingsBefore_.c_oflag &&
           after.c_cflag == settingsBefore_.c_cflag && after.c_lflag == settingsBefore_.c_lflag &&
           std::equal(std::begin(after.c_cc), std::end(after.c_cc),
                      std::begin(settingsBefore_.c_cc));
  }

  /// Processor time the program has used so far, in clock ticks.
  long cpuTicks() const {
    std::ifstream stat("/proc/" + std::to_string(child_) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string field;
    long userTicks = 0;
    long systemTicks = 0;
    for (int index = 3; fields >> field; ++index) {
      if (index == 14) userTicks = std::stol(field);
      if (index == 15) systemTicks = std::stol(field);
    }
    return userTicks + systemTicks;
  }

  void closeTerminal() {
    ::close(master_);
    master_ = -1;
  }

  pid_t pid() const { return child_; }
  const std::string& shown() const { return shown_; }
  fs::path patchScript() const { return work_.path() / "Q5PATCHFILE.TXT"; }
  fs::path outputPath() const { return work_.path() / "stdout"; }

 private:
  static std::string readFileIfAny(const fs::path& path) {
    return fs::exists(path) ? readFile(path) : std::string();
  }

  void readAvailable(int timeoutMilliseconds) {
    if (master_ < 0) return;
    struct pollfd output {
      master_, POLLIN, 0
    };
    while (::poll(&output, 1, timeoutMilliseconds) > 0) {
      char bytes[4096];
      const ssize_t count = ::read(master_, bytes, sizeof bytes);
      if (count <= 0) return;
      shown_.append(bytes, static_cast<std::size_t>(count));
      timeoutMilliseconds = 0;
    }
  }

  TemporaryDirectory work_;
  int master_ = -1;
  int slave_ = -1;
  pid_t child_ = -1;
  bool exited_ = false;
  struct termios settingsBefore_ {};
  std::string shown_;
};

TEST(TerminalTest, EditingKeysLeaveTheExpectedLine) {
  struct Case {
    std::vector<std::string_view> chunks;  // typed with a pause between them
    std::string_view line;
  };
  const Case cases[] = {
      {{""}, ""},
      {{"hello wrld\x1b[D\x1b[D\x1b[Do"}, "hello world"},
      {{"abc\x1bOHX\x1bOFY"}, "XabcY"},
      {{"abcd\x1b[1~\x1b[3~\x1b[4~\x7f"}, "bc"},
      {{"h\xC3\xA9llo\x1b[D\x1b[D\x1b[D\x7f"
        "e"},
       "hello"},
      {{"typo", "\x1b", "fixed"}, "fixed"},
      {{"a\x1a\x04\x1b[Ab"}, "ab"},
      {{"ab\tc"}, "ab    c"},
  };
  for (const Case& c : cases) {
    TerminalSession session;
    ASSERT_TRUE(session.waitForScreen("? ")) << session.shown();
    for (const std::string_view chunk : c.chunks) {
      session.type(chunk);
      std::this_thread::sleep_for(100ms);
    }
    session.type("\r");
    const int status = session.waitForExit();
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    Screen screen;
    screen.apply(session.shown());
    const std::vector<std::string> rows = screen.rows();
    ASSERT_GE(rows.size(), 5u) << session.shown();
    EXPECT_EQ(rows[0], "Level namespace exceeded!");
    EXPECT_EQ(rows[3], "? " + std::string(c.line)) << ::testing::PrintToString(session.shown());
    EXPECT_EQ(rows[4], "");
    EXPECT_EQ(readFile(session.patchScript()), readFile(overflowScript));
    EXPECT_TRUE(session.settingsRestored());
  }
}

// Signals keep their default effect, and the terminal is put back as it was before it.
TEST(TerminalTest, SignalsEndTheWaitWithTheTerminalRestored) {
  struct Case {
    int signal;
    bool fromKeyboard;
  };
  const Case cases[] = {
      {SIGINT, true}, {SIGQUIT, true}, {SIGINT, false}, {SIGTERM, false}, {SIGHUP, false}};
  for (const Case& c : cases) {
    TerminalSession session;
    ASSERT_TRUE(session.waitForScreen("? "));
    session.type("half a line");
    ASSERT_TRUE(session.waitForScreen("half a line"));
    if (c.fromKeyboard) {
      session.type(c.signal == SIGINT ? "\x03" : "\x1c");
    } else {
      ::kill(session.pid(), c.signal);
    }
    const int status = session.waitForExit();
    ASSERT_TRUE(WIFSIGNALED(status)) << c.signal;
    EXPECT_EQ(WTERMSIG(status), c.signal);
    EXPECT_TRUE(session.settingsRestored()) << c.signal;
  }
}

TEST(TerminalTest, WaitingUsesNoProcessorTime) {
  TerminalSession session;
  ASSERT_TRUE(session.waitForScreen("? "));
  session.type("\x1b");  // a lone Esc: the one short timed wait, then blocking again
  std::this_thread::sleep_for(100ms);
  const long before = session.cpuTicks();
  std::this_thread::sleep_for(500ms);
  EXPECT_LE(session.cpuTicks() - before, 1);
}

TEST(TerminalTest, OutputToAFileGetsTheNoticePromptEchoAndLineEnd) {
  TerminalSession session({.outputToFile = true});
  ASSERT_TRUE(session.waitForFile("? "));
  session.type("hi");
  ASSERT_TRUE(session.waitForFile("? hi"));
  session.type("\r");
  const int status = session.waitForExit();
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(readFile(session.outputPath()), notice + "? hi\r\n");
  EXPECT_EQ(session.shown(), "");
}

// A terminal that goes away (no controlling terminal here, so no hangup signal) ends the wait;
// the files are then closed as after Enter.
TEST(TerminalTest, ATerminalThatGoesAwayEndsTheWait) {
  TerminalSession session({.controllingTerminal = false});
  ASSERT_TRUE(session.waitForScreen("? "));
  session.closeTerminal();
  const int status = session.waitForExit();
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(readFile(session.patchScript()), readFile(overflowScript));
}

}  // namespace
}  // namespace lvltext::testing
