#pragma once

#include <cstddef>
#include <string_view>

namespace lvltext {

/// Standard output, standard error and standard input of the process. Writes are unbuffered,
/// complete (a short write is repeated with the rest) and untranslated; a write that fails is
/// given up silently.
class Console {
 public:
  virtual ~Console() = default;
  virtual void writeOutput(std::string_view bytes) = 0;
  virtual void writeError(std::string_view bytes) = 0;
};

/// The process's own standard streams.
Console& systemConsole();

}  // namespace lvltext
