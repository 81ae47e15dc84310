#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "textfiles/file_system.h"

namespace lvltext {

/// Writes the patch script byte for byte through a block buffer. Nothing is translated: the
/// only line ends are the CR LF pairs that `writeLine` adds and those inside written texts.
/// Once creating, writing or closing has failed, later writes are dropped and `failure` tells
/// the first reason.
class PatchScriptWriter {
 public:
  static constexpr std::size_t blockSize = 8192;

  explicit PatchScriptWriter(FileSystem& fileSystem) : fileSystem_(fileSystem) {}

  /// Creates or truncates the file; no effect if the writer is open already.
  void create(std::string_view name);
  /// Appends every byte of `text`; nothing happens on a closed writer.
  void write(std::string_view text);
  /// Appends `text`, then CR LF.
  void writeLine(std::string_view text);
  /// Writes out the buffered bytes and closes the file; nothing happens on a closed writer.
  void close();
  bool isOpen() const { return file_ != nullptr; }

  /// Empty while every operation has succeeded; otherwise the system's reason for the first
  /// failure.
  const std::string& failure() const { return failure_; }

 private:
  void writeOut();
  void fail(std::string reason);

  FileSystem& fileSystem_;
  std::unique_ptr<OutputFile> file_;
  std::string buffer_;
  std::string failure_;
};

class TextLineReader;

/// Closes the reader if it is open, then the writer if it is open.
void closeAllFiles(TextLineReader& reader, PatchScriptWriter& writer);

}  // namespace lvltext
