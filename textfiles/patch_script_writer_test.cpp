#include "textfiles/patch_script_writer.h"

#include <gtest/gtest.h>

#include <string>

#include "textfiles/memory_file_system.h"
#include "textfiles/text_line_reader.h"

namespace lvltext {
namespace {

using namespace std::string_literals;

TEST(PatchScriptWriterTest, WritesExactlyTheBytesGiven) {
  MemoryFileSystem fileSystem;
  fileSystem.files["OUT.TXT"] = "old contents that are longer than the new ones";
  PatchScriptWriter writer(fileSystem);
  writer.create("OUT.TXT");
  writer.write("");
  writer.writeLine("");
  writer.write("a\0b\r\n\n"s);
  writer.writeLine("\t end");
  writer.close();
  EXPECT_EQ(fileSystem.files["OUT.TXT"], "\r\na\0b\r\n\n\t end\r\n"s);
  EXPECT_EQ(writer.failure(), "");
}

TEST(PatchScriptWriterTest, KeepsBytesInBlocksUntilClosed) {
  MemoryFileSystem fileSystem;
  PatchScriptWriter writer(fileSystem);
  writer.create("OUT.TXT");
  writer.write(std::string(PatchScriptWriter::blockSize - 1, 'x'));
  EXPECT_EQ(fileSystem.files["OUT.TXT"], "");
  writer.write("yz");
  EXPECT_EQ(fileSystem.files["OUT.TXT"].size(), PatchScriptWriter::blockSize - 1);
  writer.write(std::string(2 * PatchScriptWriter::blockSize, 'w'));
  EXPECT_EQ(fileSystem.files["OUT.TXT"].size(), 3 * PatchScriptWriter::blockSize + 1);
  writer.write("tail");
  writer.close();
  const std::string expected = std::string(PatchScriptWriter::blockSize - 1, 'x') + "yz" +
                               std::string(2 * PatchScriptWriter::blockSize, 'w') + "tail";
  EXPECT_EQ(fileSystem.files["OUT.TXT"], expected);
  writer.write("after close");
  writer.close();
  EXPECT_EQ(fileSystem.files["OUT.TXT"], expected);
}

TEST(PatchScriptWriterTest, ReportsTheFirstFailureAndDropsLaterWrites) {
  struct Case {
    std::string createFailure;
    std::size_t failingWrite;
    std::string closeFailure;
    std::string expectedFailure;
    std::size_t expectedBytes;
  };
  const std::size_t block = PatchScriptWriter::blockSize;
  const Case cases[] = {
      {"Permission denied", 0, "", "Permission denied", 0},
      {"", 1, "", "No space left on device", 0},
      {"", 2, "", "No space left on device", block},
      {"", 2, "Input/output error", "No space left on device", block},
      {"", 0, "Input/output error", "Input/output error", 3 * block},
  };
  for (const Case& c : cases) {
    MemoryFileSystem fileSystem;
    fileSystem.createFailure = c.createFailure;
    fileSystem.failingWrite = c.failingWrite;
    fileSystem.closeFailure = c.closeFailure;
    PatchScriptWriter writer(fileSystem);
    writer.create("OUT.TXT");
    for (int i = 0; i < 3; ++i) writer.write(std::string(block, 'x'));
    writer.close();
    EXPECT_EQ(writer.failure(), c.expectedFailure);
    EXPECT_EQ(fileSystem.files["OUT.TXT"].size(), c.expectedBytes);
    EXPECT_FALSE(writer.isOpen());
  }
}

TEST(PatchScriptWriterTest, CloseAllFilesClosesWhatIsOpenOnce) {
  MemoryFileSystem fileSystem;
  fileSystem.files["LIST.TXT"] = "line\n";
  TextLineReader reader(fileSystem);
  PatchScriptWriter writer(fileSystem);
  reader.open("LIST.TXT");
  writer.create("OUT.TXT");
  writer.write("bytes");
  closeAllFiles(reader, writer);
  EXPECT_FALSE(reader.isOpen());
  EXPECT_FALSE(writer.isOpen());
  EXPECT_EQ(fileSystem.files["OUT.TXT"], "bytes");
  closeAllFiles(reader, writer);
  EXPECT_EQ(fileSystem.files["OUT.TXT"], "bytes");
}

}  // namespace
}  // namespace lvltext
