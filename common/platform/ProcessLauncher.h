#pragma once
// Starting other programs (WinExec) and opening documents with the desktop's handler
// (ShellExecute with the "open" verb).

#include <string>
#include <string_view>
#include <vector>

namespace kavo9 {

enum : int { SW_HIDE = 0, SW_SHOWNORMAL = 1, SW_SHOWMINIMIZED = 2 };

class ProcessLauncher {
 public:
  virtual ~ProcessLauncher() = default;
  // Starts a program from a Windows command line ("\"TsSwap.exe\" ON ..."): the first token is
  // the program's file name, searched first in the program's directory; the rest are its
  // arguments, split as Windows does (quotes group, backslashes literal). Does not wait.
  // True when the program was started.
  virtual bool WinExec(std::string_view commandLine, int showCmd) = 0;
  // Opens a document with the desktop's handler. True when a handler was started.
  virtual bool ShellOpen(std::string_view file) = 0;
};

// Splits a Windows command line into its tokens.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

}  // namespace kavo9
