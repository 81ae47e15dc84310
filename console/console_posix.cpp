#include <unistd.h>

#include <cerrno>

#include "console/console.h"

namespace lvltext {
namespace {

void writeAll(int descriptor, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
}

class PosixConsole final : public Console {
 public:
  void writeOutput(std::string_view bytes) override { writeAll(STDOUT_FILENO, bytes); }
  void writeError(std::string_view bytes) override { writeAll(STDERR_FILENO, bytes); }
};

}  // namespace

Console& systemConsole() {
  static PosixConsole console;
  return console;
}

}  // namespace lvltext
