#include "textfiles/patch_script_writer.h"

#include "textfiles/text_line_reader.h"

namespace lvltext {

void PatchScriptWriter::create(std::string_view name) {
  if (file_) return;
  CreatedFile created = fileSystem_.createForWriting(name);
  if (!created.file) {
    fail(std::move(created.failure));
    return;
  }
  file_ = std::move(created.file);
  buffer_.reserve(blockSize);
}

void PatchScriptWriter::write(std::string_view text) {
  if (!file_ || !failure_.empty()) return;
  if (buffer_.size() + text.size() < blockSize) {
    buffer_.append(text);
    return;
  }
  writeOut();
  if (text.size() < blockSize) {
    buffer_.append(text);
  } else if (failure_.empty()) {
    // A text of a block or more goes out as it is, without a copy in the buffer.
    if (std::string reason = file_->write(text); !reason.empty()) fail(std::move(reason));
  }
}

void PatchScriptWriter::writeLine(std::string_view text) {
  write(text);
  write("\r\n");
}

void PatchScriptWriter::close() {
  if (!file_) return;
  if (failure_.empty()) writeOut();
  std::string reason = file_->close();
  file_.reset();
  if (!reason.empty()) fail(std::move(reason));
}

void PatchScriptWriter::writeOut() {
  if (buffer_.empty()) return;
  std::string reason = file_->write(buffer_);
  buffer_.clear();
  if (!reason.empty()) fail(std::move(reason));
}

void PatchScriptWriter::fail(std::string reason) {
  if (failure_.empty()) failure_ = reason.empty() ? "unknown failure" : std::move(reason);
}

void closeAllFiles(TextLineReader& reader, PatchScriptWriter& writer) {
  if (reader.isOpen()) reader.close();
  if (writer.isOpen()) writer.close();
}

}  // namespace lvltext
