#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <vector>

#include "console/console.h"
#include "console/line_editor.h"
#include "console/windows_key_mapping.h"

namespace lvltext {
namespace {

// How long one look at the console input waits before looking again.
constexpr DWORD inputWaitMilliseconds = 25;

bool isConsole(HANDLE handle) {
  DWORD mode = 0;
  return handle != nullptr && handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode);
}

void writeAll(HANDLE handle, std::string_view bytes) {
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return;
  const bool console = isConsole(handle);
  while (!bytes.empty()) {
    const DWORD size = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1 << 20));
    DWORD written = 0;
    const BOOL done = console ? WriteConsoleA(handle, bytes.data(), size, &written, nullptr)
                              : WriteFile(handle, bytes.data(), size, &written, nullptr);
    if (!done || written == 0) return;
    bytes.remove_prefix(written);
  }
}

// The console modes as they were before the wait; put back by the control handler too, which
// then lets the default handling of Ctrl+C and Ctrl+Break end the process.
HANDLE savedInput = nullptr;
DWORD savedInputMode = 0;
HANDLE savedOutput = nullptr;
DWORD savedOutputMode = 0;
volatile LONG modesChanged = 0;

void restoreModes() {
  if (InterlockedExchange(&modesChanged, 0) == 0) return;
  SetConsoleMode(savedInput, savedInputMode);
  if (savedOutput != nullptr) SetConsoleMode(savedOutput, savedOutputMode);
}

BOOL WINAPI restoreModesOnControl(DWORD) {
  restoreModes();
  return FALSE;
}

/// Key-at-a-time input without the console's own echo and line editing, for the time of one
/// wait. Ctrl+C and Ctrl+Break keep their default effect. Output understands the cursor
/// sequences the line editor sends, where the console can.
class RawConsole {
 public:
  RawConsole(HANDLE input, HANDLE output) {
    if (!GetConsoleMode(input, &savedInputMode)) return;
    savedInput = input;
    savedOutput = nullptr;
    if (isConsole(output) && GetConsoleMode(output, &savedOutputMode)) savedOutput = output;
    SetConsoleCtrlHandler(restoreModesOnControl, TRUE);
    InterlockedExchange(&modesChanged, 1);
    const DWORD inputMode = (savedInputMode | ENABLE_PROCESSED_INPUT) &
                            ~static_cast<DWORD>(ENABLE_LINE_INPUT | ENABLE_ECHO_INPUT);
    SetConsoleMode(input, inputMode);
    if (savedOutput != nullptr) {
      SetConsoleMode(
          output, savedOutputMode | ENABLE_PROCESSED_OUTPUT | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
    }
  }
  ~RawConsole() {
    restoreModes();
    SetConsoleCtrlHandler(restoreModesOnControl, FALSE);
  }
  RawConsole(const RawConsole&) = delete;
  RawConsole& operator=(const RawConsole&) = delete;
};

std::string encodeForConsole(std::u16string_view text) {
  const UINT codePage = GetConsoleCP();
  const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
  const int size = static_cast<int>(text.size());
  BOOL lossy = FALSE;
  // UTF-8 and some other code pages take no default-character arguments.
  const bool reportsLoss = codePage != CP_UTF8 && codePage != 65000;
  const int length = WideCharToMultiByte(codePage, 0, wide, size, nullptr, 0, nullptr,
                                         reportsLoss ? &lossy : nullptr);
  if (length <= 0) return {};
  std::string bytes(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(codePage, 0, wide, size, bytes.data(), length, nullptr,
                      reportsLoss ? &lossy : nullptr);
  return lossy ? std::string() : bytes;
}

class WindowsConsole final : public Console {
 public:
  WindowsConsole() {
    // Whatever reaches the C runtime's streams goes out untranslated too.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
  }

  void writeOutput(std::string_view bytes) override {
    writeAll(GetStdHandle(STD_OUTPUT_HANDLE), bytes);
  }
  void writeError(std::string_view bytes) override {
    writeAll(GetStdHandle(STD_ERROR_HANDLE), bytes);
  }
  bool inputIsTerminal() override { return isConsole(GetStdHandle(STD_INPUT_HANDLE)); }

  void discardFirstInputItem() override {
    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    if (input == nullptr || input == INVALID_HANDLE_VALUE) return;
    FirstItemScanner scanner;
    if (GetFileType(input) == FILE_TYPE_DISK) {
      // A file can be read in blocks and the position put back just after the item.
      std::vector<char> block(65536);
      for (;;) {
        DWORD count = 0;
        if (!ReadFile(input, block.data(), static_cast<DWORD>(block.size()), &count, nullptr) ||
            count == 0) {
          return;
        }
        for (DWORD i = 0; i < count; ++i) {
          if (scanner.endsItem(block[i])) {
            LARGE_INTEGER back;
            back.QuadPart = -static_cast<LONGLONG>(count - i - 1);
            SetFilePointerEx(input, back, nullptr, FILE_CURRENT);
            return;
          }
        }
      }
    }
    // From a pipe every byte read is gone for whoever reads next: take one at a time.
    char byte = 0;
    DWORD count = 0;
    while (ReadFile(input, &byte, 1, &count, nullptr) && count == 1) {
      if (scanner.endsItem(byte)) return;
    }
  }

  void readLineAtTerminal(std::string_view prompt) override {
    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    const RawConsole raw(input, output);
    writeAll(output, prompt);
    editLine(input, output, prompt.size());
    writeAll(output, "\r\n");
  }

 private:
  /// Reads key events until Enter, or until the console goes away, and echoes their edits.
  static void editLine(HANDLE input, HANDLE output, std::size_t promptColumns) {
    LineEditor editor(promptColumns);
    WindowsKeyMapper mapper(encodeForConsole);
    std::vector<Key> keys;
    for (;;) {
      const DWORD ready = WaitForSingleObject(input, inputWaitMilliseconds);
      if (ready == WAIT_TIMEOUT) continue;
      if (ready != WAIT_OBJECT_0) return;
      INPUT_RECORD records[64];
      DWORD count = 0;
      if (!ReadConsoleInputW(input, records, 64, &count)) return;  // the console went away
      for (DWORD i = 0; i < count; ++i) {
        if (records[i].EventType != KEY_EVENT) continue;
        const KEY_EVENT_RECORD& key = records[i].Event.KeyEvent;
        mapper.map({key.bKeyDown != FALSE, key.wVirtualKeyCode,
                    static_cast<char16_t>(key.uChar.UnicodeChar), key.wRepeatCount},
                   keys);
      }
      for (const Key& key : keys) {
        if (key.kind == Key::Kind::Enter) return;
        writeAll(output, editor.apply(key));
      }
      keys.clear();
    }
  }
};

}  // namespace

Console& systemConsole() {
  static WindowsConsole console;
  return console;
}

}  // namespace lvltext
