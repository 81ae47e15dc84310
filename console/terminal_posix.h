#pragma once

#include <string_view>

namespace lvltext {

/// Writes all of `bytes` to the descriptor, repeating short writes; gives up on an error.
void writeAllPosix(int descriptor, std::string_view bytes);

/// In raw mode on the terminal `inputDescriptor`: writes `prompt` to `echoDescriptor`, reads one
/// line with echo there until Enter or until the terminal goes away, and writes CR LF.
void readLineAtPosixTerminal(int inputDescriptor, int echoDescriptor, std::string_view prompt);

}  // namespace lvltext
