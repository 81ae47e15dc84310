#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>

#include "process.h"

namespace lvltext::testing {

namespace fs = std::filesystem;

ProcessResult runProcess(const fs::path& program, const fs::path& directory,
                         const std::optional<std::string>& standardInput,
                         const std::vector<std::string>& arguments) {
  const StreamFiles streams(standardInput);
  const int input = standardInput ? ::open(streams.input.c_str(), O_RDONLY) : -1;

  const pid_t child = ::fork();
  if (child < 0) throw std::runtime_error("fork failed");
  if (child == 0) {
    const int output = ::open(streams.output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int error = ::open(streams.error.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (input >= 0) {
      ::dup2(input, STDIN_FILENO);
    } else {
      ::close(STDIN_FILENO);
    }
    ::dup2(output, STDOUT_FILENO);
    ::dup2(error, STDERR_FILENO);
    if (::chdir(directory.c_str()) != 0) ::_exit(126);
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& argument : arguments) {
      argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
  }
  int status = 0;
  while (::waitpid(child, &status, 0) < 0) {
  }
  ProcessResult result;
  result.standardOutput = readFile(streams.output);
  result.standardError = readFile(streams.error);
  if (WIFEXITED(status)) result.exitStatus = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) result.signal = WTERMSIG(status);
  if (input >= 0) {
    result.standardInputPosition = static_cast<std::uint64_t>(::lseek(input, 0, SEEK_CUR));
    ::close(input);
  }
  return result;
}

}  // namespace lvltext::testing
