#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "textfiles/file_system.h"

namespace lvltext {

/// Reads an input list line by line. The list data are the bytes before the first 0x1A byte,
/// without any NUL bytes at their very end (padding, not text). A line ends at LF, CR LF or
/// CR CR LF; a last line without a line end runs to the end of the data and loses one final
/// CR. Every other byte, CR and NUL included, stays in its line. A list that cannot be opened
/// or read reads as an empty list.
class TextLineReader {
 public:
  explicit TextLineReader(FileSystem& fileSystem) : fileSystem_(fileSystem) {}

  /// Opens the named list at the start of its data; no effect if the reader is open already.
  void open(std::string_view name);
  /// True when the reader is closed or all of the list data have been read.
  bool atEnd();
  /// The next line without its line end; an empty line when the data are used up.
  std::string readLine();
  /// Same as readLine, into `line`, reusing its memory.
  void readLine(std::string& line);
  /// Closes the list, if open.
  void close();
  bool isOpen() const { return open_; }

 private:
  /// Reads the next piece of the file into the buffer; sets `dataEnded_` at the end.
  void fill();

  FileSystem& fileSystem_;
  std::unique_ptr<InputFile> file_;  // null once the list data have all been read
  bool open_ = false;
  std::string buffer_;
  std::size_t position_ = 0;            // start of the unread data in `buffer_`
  std::size_t searchedForLineEnd_ = 0;  // no LF in `buffer_` between `position_` and this
  std::size_t searchedForData_ = 0;     // only NUL bytes between `position_` and this
  bool dataEnded_ = false;              // the whole list is in `buffer_`, trailing NULs removed
};

}  // namespace lvltext
