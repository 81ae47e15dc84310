// Any bytes as a list: no line may hold an LF, and the lines with their line ends must account
// for every byte of the list data (the bytes before the first 0x1A, without NUL padding).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "textfiles/memory_file_system.h"
#include "textfiles/text_line_reader.h"

namespace {

void require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  std::string_view listData(bytes);
  listData = listData.substr(0, listData.find('\x1a'));
  while (!listData.empty() && listData.back() == '\0') listData.remove_suffix(1);

  lvltext::MemoryFileSystem fileSystem;
  fileSystem.files["LIST.TXT"] = bytes;
  lvltext::TextLineReader reader(fileSystem);
  reader.open("LIST.TXT");
  std::size_t position = 0;
  while (!reader.atEnd()) {
    const std::string line = reader.readLine();
    require(line.find('\n') == std::string::npos);
    require(listData.substr(position, line.size()) == line);
    position += line.size();
    const std::string_view rest = listData.substr(position);
    std::size_t lineEnd = 0;
    for (const std::string_view end : {"\n", "\r\n", "\r\r\n"}) {
      if (rest.starts_with(end)) lineEnd = end.size();
    }
    if (lineEnd == 0) require(rest.empty() || rest == "\r");  // the last line, without LF
    position += lineEnd == 0 ? rest.size() : lineEnd;
  }
  require(position == listData.size());
  require(reader.readLine().empty());
  return 0;
}
