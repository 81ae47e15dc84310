#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "textfiles/file_system.h"

namespace lvltext {
namespace {

std::string lastSystemReason() {
  return std::strerror(errno);
}

class DiskInputFile final : public InputFile {
 public:
  explicit DiskInputFile(std::FILE* file) : file_(file) {}
  ~DiskInputFile() override { std::fclose(file_); }
  DiskInputFile(const DiskInputFile&) = delete;
  DiskInputFile& operator=(const DiskInputFile&) = delete;

  std::size_t read(char* buffer, std::size_t size) override {
    return std::fread(buffer, 1, size, file_);
  }

 private:
  std::FILE* file_;
};

class DiskOutputFile final : public OutputFile {
 public:
  explicit DiskOutputFile(std::FILE* file) : file_(file) {}
  ~DiskOutputFile() override {
    if (file_ != nullptr) std::fclose(file_);
  }
  DiskOutputFile(const DiskOutputFile&) = delete;
  DiskOutputFile& operator=(const DiskOutputFile&) = delete;

  std::string write(std::string_view bytes) override {
    if (file_ == nullptr) return std::strerror(EBADF);
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) {
      return errno != 0 ? lastSystemReason() : std::string("write failed");
    }
    return {};
  }

  std::string close() override {
    if (file_ == nullptr) return {};
    errno = 0;
    const int result = std::fclose(file_);
    file_ = nullptr;
    if (result != 0) return errno != 0 ? lastSystemReason() : std::string("close failed");
    return {};
  }

 private:
  std::FILE* file_;
};

class DiskFileSystem final : public FileSystem {
 public:
  std::unique_ptr<InputFile> openForReading(std::string_view name) override {
    // Only a regular file has a size and an end: a directory cannot be read, and opening a
    // named pipe would wait for a writer that may never come.
    std::error_code error;
    if (!std::filesystem::is_regular_file(std::filesystem::path(name), error)) return nullptr;
    std::FILE* file = std::fopen(std::string(name).c_str(), "rb");
    if (file == nullptr) return nullptr;
    return std::make_unique<DiskInputFile>(file);
  }

  CreatedFile createForWriting(std::string_view name) override {
    errno = 0;
    std::FILE* file = std::fopen(std::string(name).c_str(), "wb");
    if (file == nullptr) return {nullptr, errno != 0 ? lastSystemReason() : "cannot create"};
    // The writer keeps its own block buffer; a second one here would only hide when bytes
    // reach the file and which write failed.
    std::setvbuf(file, nullptr, _IONBF, 0);
    return {std::make_unique<DiskOutputFile>(file), {}};
  }
};

}  // namespace

FileSystem& diskFileSystem() {
  static DiskFileSystem fileSystem;
  return fileSystem;
}

}  // namespace lvltext
