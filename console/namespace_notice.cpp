#include "console/namespace_notice.h"

namespace lvltext {

void printNamespaceNotice(Console& console) {
  console.writeOutput(
      "Level namespace exceeded!\r\n"
      "Your level names and entry texts are too large for the available game space!\r\n"
      "The simplest thing to do is to shorten your level entry texts!\r\n");
}

void waitForLine(Console& console) {
  if (!console.inputIsTerminal()) {
    console.discardFirstInputItem();
    return;
  }
  console.readLineAtTerminal("? ");
}

}  // namespace lvltext
