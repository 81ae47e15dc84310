#include "console/terminal_posix.h"

#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <vector>

#include "console/line_editor.h"
#include "console/vt_key_decoder.h"

namespace lvltext {
namespace {

// How long to wait for the rest of an escape sequence before taking ESC as the Esc key.
constexpr int escapeSequenceWaitMilliseconds = 25;

// The signals that end the process by default while a key may be awaited. Their handler only
// puts the terminal back and lets the default action happen.
constexpr int terminatingSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

struct termios savedSettings;
int rawTerminal = -1;
volatile std::sig_atomic_t rawModeActive = 0;

extern "C" void restoreTerminalAndReraise(int signalNumber) {
  if (rawModeActive != 0) ::tcsetattr(rawTerminal, TCSANOW, &savedSettings);
  struct sigaction defaultAction {};
  defaultAction.sa_handler = SIG_DFL;
  sigemptyset(&defaultAction.sa_mask);
  ::sigaction(signalNumber, &defaultAction, nullptr);
  ::raise(signalNumber);  // delivered with the default action once this handler returns
}

/// Raw mode for the time of one wait: no canonical line editing, no echo by the terminal, no
/// output processing, no flow control and no suspend key; Ctrl+C and Ctrl+\ still signal.
class RawMode {
 public:
  explicit RawMode(int terminal) {
    if (::tcgetattr(terminal, &savedSettings) != 0) return;
    rawTerminal = terminal;
    for (std::size_t i = 0; i < std::size(terminatingSignals); ++i) {
      struct sigaction handler {};
      handler.sa_handler = restoreTerminalAndReraise;
      sigemptyset(&handler.sa_mask);
      ::sigaction(terminatingSignals[i], nullptr, &previous_[i]);
      // A signal the caller chose to ignore (as nohup does) stays ignored.
      if (previous_[i].sa_handler == SIG_DFL) {
        ::sigaction(terminatingSignals[i], &handler, nullptr);
      }
    }
    struct termios raw = savedSettings;
    raw.c_iflag &= ~static_cast<tcflag_t>(BRKINT | ICRNL | INLCR | IGNCR | INPCK | ISTRIP | IXON);
    raw.c_oflag &= ~static_cast<tcflag_t>(OPOST);
    raw.c_lflag &= ~static_cast<tcflag_t>(ECHO | ICANON | IEXTEN);
    raw.c_cc[VSUSP] = _POSIX_VDISABLE;
    raw.c_cc[VMIN] = 1;
    raw.c_cc[VTIME] = 0;
    rawModeActive = 1;
    active_ = ::tcsetattr(terminal, TCSANOW, &raw) == 0;
    if (!active_) restore();
  }
  ~RawMode() {
    if (active_) restore();
  }
  RawMode(const RawMode&) = delete;
  RawMode& operator=(const RawMode&) = delete;

 private:
  void restore() {
    ::tcsetattr(rawTerminal, TCSANOW, &savedSettings);
    rawModeActive = 0;
    for (std::size_t i = 0; i < std::size(terminatingSignals); ++i) {
      ::sigaction(terminatingSignals[i], &previous_[i], nullptr);
    }
    active_ = false;
  }

  struct sigaction previous_[std::size(terminatingSignals)]{};
  bool active_ = false;
};

/// Reads keys until Enter, or until the terminal goes away, and echoes their edits.
void editLine(int inputDescriptor, int echoDescriptor, std::size_t promptColumns) {
  LineEditor editor(promptColumns);
  VtKeyDecoder decoder;
  std::vector<Key> keys;
  for (;;) {
    struct pollfd input {
      inputDescriptor, POLLIN, 0
    };
    const int ready =
        ::poll(&input, 1, decoder.waitingForMore() ? escapeSequenceWaitMilliseconds : -1);
    if (ready < 0) {
      if (errno == EINTR) continue;
      return;
    }
    if (ready == 0) {
      decoder.timeout(keys);
    } else {
      char bytes[256];
      const ssize_t count = ::read(inputDescriptor, bytes, sizeof bytes);
      if (count < 0 && (errno == EINTR || errno == EAGAIN)) continue;
      if (count <= 0) return;  // the terminal went away
      for (ssize_t i = 0; i < count; ++i) decoder.feed(bytes[i], keys);
    }
    for (const Key& key : keys) {
      if (key.kind == Key::Kind::Enter) return;
      writeAllPosix(echoDescriptor, editor.apply(key));
    }
    keys.clear();
  }
}

}  // namespace

void writeAllPosix(int descriptor, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
}

void readLineAtPosixTerminal(int inputDescriptor, int echoDescriptor, std::string_view prompt) {
  const RawMode rawMode(inputDescriptor);
  writeAllPosix(echoDescriptor, prompt);
  editLine(inputDescriptor, echoDescriptor, prompt.size());
  writeAllPosix(echoDescriptor, "\r\n");
}

}  // namespace lvltext
