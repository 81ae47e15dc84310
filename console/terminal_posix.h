#pragma once

#include <string_view>

namespace lvltext {

/// Writes all of `bytes` to the descriptor, repeating short writes; gives up on an error.
void writeAllPosix(int descriptor, std::string_view bytes);

/// Reads one line from the terminal on `inputDescriptor` in raw mode, echoing to
/// `echoDescriptor`, until Enter or until the terminal goes away.
void editLineAtPosixTerminal(int inputDescriptor, int echoDescriptor);

}  // namespace lvltext
