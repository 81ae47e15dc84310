#include "textfiles/memory_file_system.h"

#include <algorithm>
#include <cstring>

namespace lvltext {
namespace {

class MemoryInputFile final : public InputFile {
 public:
  explicit MemoryInputFile(std::string data) : data_(std::move(data)) {}
  std::size_t read(char* buffer, std::size_t size) override {
    const std::size_t count = std::min(size, data_.size() - position_);
    std::memcpy(buffer, data_.data() + position_, count);
    position_ += count;
    return count;
  }

 private:
  std::string data_;
  std::size_t position_ = 0;
};

class MemoryOutputFile final : public OutputFile {
 public:
  MemoryOutputFile(MemoryFileSystem& fileSystem, std::string name)
      : fileSystem_(fileSystem), name_(std::move(name)) {}
  std::string write(std::string_view bytes) override {
    if (++fileSystem_.writeCount == fileSystem_.failingWrite) {
      return fileSystem_.writeFailureReason;
    }
    fileSystem_.files[name_].append(bytes);
    return {};
  }
  std::string close() override { return fileSystem_.closeFailure; }

 private:
  MemoryFileSystem& fileSystem_;
  std::string name_;
};

}  // namespace

std::unique_ptr<InputFile> MemoryFileSystem::openForReading(std::string_view name) {
  const auto file = files.find(name);
  if (file == files.end()) return nullptr;
  return std::make_unique<MemoryInputFile>(file->second);
}

CreatedFile MemoryFileSystem::createForWriting(std::string_view name) {
  if (!createFailure.empty()) return {nullptr, createFailure};
  files[std::string(name)].clear();
  return {std::make_unique<MemoryOutputFile>(*this, std::string(name)), {}};
}

}  // namespace lvltext
