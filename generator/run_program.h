#pragma once

#include "console/console.h"
#include "generator/episode_profile.h"
#include "textfiles/file_system.h"

namespace lvltext {

/// The whole program: one run for the profile; after an overflow the notice and the wait for
/// the user's line; then the files are closed. Returns the exit status: 0, or 1 when the patch
/// script could not be written in full (told on standard error after everything else).
int runProgram(const EpisodeProfile& profile, FileSystem& fileSystem, Console& console);

}  // namespace lvltext
