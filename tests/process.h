#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace lvltext::testing {

struct ProcessResult {
  std::string standardOutput;
  std::string standardError;
  /// The exit status, or -1 when the process was ended by a signal.
  int exitStatus = -1;
  /// The signal that ended the process, or 0.
  int signal = 0;
  /// How far the process read its standard input file (shared with it, as a shell's `<` is).
  std::uint64_t standardInputPosition = 0;
};

/// Runs `program` with `arguments` in `directory` and waits for it to end. Standard input is a
/// file holding `standardInput` when given, else closed.
ProcessResult runProcess(const std::filesystem::path& program,
                         const std::filesystem::path& directory,
                         const std::optional<std::string>& standardInput,
                         const std::vector<std::string>& arguments = {});

/// A new empty directory that is removed with everything in it when this goes out of scope.
class TemporaryDirectory {
 public:
  TemporaryDirectory();
  ~TemporaryDirectory();
  TemporaryDirectory(const TemporaryDirectory&) = delete;
  TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

/// Files beside a run for its standard streams: never pipes, so no amount of output can block.
struct StreamFiles {
  /// Writes `standardInput` (or nothing) into the input file.
  explicit StreamFiles(const std::optional<std::string>& standardInput);
  TemporaryDirectory directory;
  std::filesystem::path input = directory.path() / "stdin";
  std::filesystem::path output = directory.path() / "stdout";
  std::filesystem::path error = directory.path() / "stderr";
};

std::string readFile(const std::filesystem::path& path);
void writeFile(const std::filesystem::path& path, const std::string& bytes);

}  // namespace lvltext::testing
