#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <string_view>

#include "textfiles/file_system.h"

namespace lvltext {

/// A file system held in memory, for tests: files are byte strings by name, and creating,
/// the n-th write or closing can be made to fail with a given reason.
class MemoryFileSystem final : public FileSystem {
 public:
  std::map<std::string, std::string, std::less<>> files;
  /// When not empty, creating a file fails with this reason.
  std::string createFailure;
  /// When not 0, the write with this 1-based number fails with `writeFailureReason`.
  std::size_t failingWrite = 0;
  std::string writeFailureReason = "No space left on device";
  /// When not empty, closing a written file fails with this reason.
  std::string closeFailure;
  /// Number of write calls made so far, failed ones included.
  std::size_t writeCount = 0;

  std::unique_ptr<InputFile> openForReading(std::string_view name) override;
  CreatedFile createForWriting(std::string_view name) override;
};

}  // namespace lvltext
