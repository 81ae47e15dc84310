#pragma once

#include <cstddef>
#include <string_view>

namespace lvltext {

/// Standard output, standard error and standard input of the process. Writes are unbuffered,
/// complete (a short write is repeated with the rest) and untranslated; a write that fails is
/// given up silently.
class Console {
 public:
  virtual ~Console() = default;
  virtual void writeOutput(std::string_view bytes) = 0;
  virtual void writeError(std::string_view bytes) = 0;
  /// True when standard input is an interactive terminal (a console).
  virtual bool inputIsTerminal() = 0;
  /// Reads standard input up to the end of its first item (see FirstItemScanner) and no
  /// further, and discards it. Returns at once at the end of the input.
  virtual void discardFirstInputItem() = 0;
  /// At the terminal, in raw mode: writes `prompt` to standard output, reads one line with echo
  /// there and editing (LineEditor) until Enter or until the terminal goes away, and writes
  /// CR LF; the line is discarded. Raw mode comes first so that no key typed after the prompt
  /// meets the terminal's own line editing. The terminal's settings are as before afterwards,
  /// also when a signal ends the process meanwhile.
  virtual void readLineAtTerminal(std::string_view prompt) = 0;
};

/// The process's own standard streams.
Console& systemConsole();

/// Tells where the first item of redirected standard input ends: at the first LF or CR, or at
/// the first comma outside double quotes.
class FirstItemScanner {
 public:
  /// Takes the next byte; true when the item ends with it.
  bool endsItem(char byte) {
    if (byte == '\n' || byte == '\r') return true;
    if (byte == '"') quoted_ = !quoted_;
    return byte == ',' && !quoted_;
  }

 private:
  bool quoted_ = false;
};

}  // namespace lvltext
