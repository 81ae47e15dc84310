#pragma once

#include "console/console.h"

namespace lvltext {

/// Writes the three lines that tell the user the texts do not fit, each with CR LF, at once.
void printNamespaceNotice(Console& console);

/// Waits until the user has entered a line: at a terminal after the prompt "? ", with echo and
/// CR LF after Enter; otherwise by reading the first item of standard input, silently.
void waitForLine(Console& console);

}  // namespace lvltext
