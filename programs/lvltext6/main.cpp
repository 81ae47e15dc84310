#include "console/console.h"
#include "generator/episode_profile.h"
#include "generator/run_program.h"
#include "textfiles/file_system.h"

// Arguments and environment are accepted and not looked at: the run needs no settings.
int main() {
  return lvltext::runProgram(lvltext::episodeProfile6, lvltext::diskFileSystem(),
                             lvltext::systemConsole());
}
