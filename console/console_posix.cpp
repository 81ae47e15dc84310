#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "console/console.h"
#include "console/terminal_posix.h"

namespace lvltext {
namespace {

ssize_t readRetrying(int descriptor, char* buffer, std::size_t size) {
  for (;;) {
    const ssize_t count = ::read(descriptor, buffer, size);
    if (count >= 0 || errno != EINTR) return count;
  }
}

class PosixConsole final : public Console {
 public:
  PosixConsole() {
    // A standard stream the process was started without must not be taken over by the first
    // file opened (the notice would land in the patch script, the wait would read a list).
    for (const int descriptor : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
      if (::fcntl(descriptor, F_GETFD) < 0 && errno == EBADF) {
        ::open("/dev/null", descriptor == STDIN_FILENO ? O_RDONLY : O_WRONLY);
      }
    }
  }

  void writeOutput(std::string_view bytes) override { writeAllPosix(STDOUT_FILENO, bytes); }
  void writeError(std::string_view bytes) override { writeAllPosix(STDERR_FILENO, bytes); }
  bool inputIsTerminal() override { return ::isatty(STDIN_FILENO) == 1; }

  void discardFirstInputItem() override {
    FirstItemScanner scanner;
    struct stat status {};
    if (::fstat(STDIN_FILENO, &status) == 0 && S_ISREG(status.st_mode)) {
      // A file can be read in blocks and the position put back just after the item.
      char block[65536];
      for (;;) {
        const ssize_t count = readRetrying(STDIN_FILENO, block, sizeof block);
        if (count <= 0) return;
        for (ssize_t i = 0; i < count; ++i) {
          if (scanner.endsItem(block[i])) {
            ::lseek(STDIN_FILENO, -static_cast<off_t>(count - i - 1), SEEK_CUR);
            return;
          }
        }
      }
    }
    // From a pipe every byte read is gone for whoever reads next: take one at a time.
    char byte = 0;
    while (readRetrying(STDIN_FILENO, &byte, 1) == 1) {
      if (scanner.endsItem(byte)) return;
    }
  }

  void readLineAtTerminal(std::string_view prompt) override {
    readLineAtPosixTerminal(STDIN_FILENO, STDOUT_FILENO, prompt);
  }
};

}  // namespace

Console& systemConsole() {
  static PosixConsole console;
  return console;
}

}  // namespace lvltext
