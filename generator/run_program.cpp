#include "generator/run_program.h"

#include <string>

#include "console/namespace_notice.h"
#include "generator/generator_run.h"

namespace lvltext {

int runProgram(const EpisodeProfile& profile, FileSystem& fileSystem, Console& console) {
  GeneratorRun run(profile, fileSystem);
  if (run.run() == RunOutcome::NamespaceExceeded) {
    printNamespaceNotice(console);
    waitForLine(console);
  }
  closeAllFiles(run.reader(), run.writer());
  const std::string& failure = run.writer().failure();
  if (failure.empty()) return 0;
  std::string message;
  message.append(profile.programName)
      .append(": cannot write ")
      .append(profile.patchScriptFile)
      .append(": ")
      .append(failure)
      .append("\r\n");
  console.writeError(message);
  return 1;
}

}  // namespace lvltext
