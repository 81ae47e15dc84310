#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "process.h"

namespace lvltext::testing {

namespace fs = std::filesystem;

TemporaryDirectory::TemporaryDirectory() {
  std::string pattern = (fs::temp_directory_path() / "lvltext-test-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TemporaryDirectory::~TemporaryDirectory() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

std::string readFile(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw std::runtime_error("cannot read " + path.string());
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void writeFile(const fs::path& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!file) throw std::runtime_error("cannot write " + path.string());
}

ProcessResult runProcess(const fs::path& program, const fs::path& directory,
                         const std::optional<std::string>& standardInput,
                         const std::vector<std::string>& arguments) {
  // Streams go through files beside the run, never pipes, so no amount of output can block.
  const TemporaryDirectory streams;
  const fs::path inputPath = streams.path() / "stdin";
  const fs::path outputPath = streams.path() / "stdout";
  const fs::path errorPath = streams.path() / "stderr";
  writeFile(inputPath, standardInput.value_or(""));

  const pid_t child = ::fork();
  if (child < 0) throw std::runtime_error("fork failed");
  if (child == 0) {
    const int input = standardInput ? ::open(inputPath.c_str(), O_RDONLY) : -1;
    const int output = ::open(outputPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int error = ::open(errorPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (input >= 0) {
      ::dup2(input, STDIN_FILENO);
    } else {
      ::close(STDIN_FILENO);
    }
    ::dup2(output, STDOUT_FILENO);
    ::dup2(error, STDERR_FILENO);
    if (::chdir(directory.c_str()) != 0) ::_exit(126);
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& argument : arguments)
      argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
  }
  int status = 0;
  while (::waitpid(child, &status, 0) < 0) {
  }
  ProcessResult result;
  result.standardOutput = readFile(outputPath);
  result.standardError = readFile(errorPath);
  if (WIFEXITED(status)) result.exitStatus = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) result.signal = WTERMSIG(status);
  return result;
}

}  // namespace lvltext::testing
