#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace lvltext {

/// A file open for sequential reading.
class InputFile {
 public:
  virtual ~InputFile() = default;
  /// Reads up to `size` bytes into `buffer` and returns how many were read: 0 at the end of the
  /// file, and also when reading fails (a list that cannot be read ends there).
  virtual std::size_t read(char* buffer, std::size_t size) = 0;
};

/// A file open for sequential writing. Failures come back as the system's reason, an empty
/// string meaning success.
class OutputFile {
 public:
  virtual ~OutputFile() = default;
  /// Writes every byte of `bytes`, unchanged.
  virtual std::string write(std::string_view bytes) = 0;
  /// Closes the file; nothing may be written afterwards.
  virtual std::string close() = 0;
};

/// The result of creating a file: the file, or the reason it could not be created.
struct CreatedFile {
  std::unique_ptr<OutputFile> file;
  std::string failure;
};

/// The file system relative to the current directory. Tests put an in-memory one in its place.
class FileSystem {
 public:
  virtual ~FileSystem() = default;
  /// Opens an existing file for reading, or returns null when it cannot be opened.
  virtual std::unique_ptr<InputFile> openForReading(std::string_view name) = 0;
  /// Creates a file, or truncates an existing one to zero length, for writing.
  virtual CreatedFile createForWriting(std::string_view name) = 0;
};

/// The real file system, in binary mode: no byte is translated on any platform.
FileSystem& diskFileSystem();

}  // namespace lvltext
