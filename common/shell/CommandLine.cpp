#include "common/shell/CommandLine.h"

namespace kavo9 {

bool OpensMainWindowAtStart(std::string_view commandLine) {
  return commandLine != "-S" && commandLine != "-s";
}

std::string CommandLineFromArguments(const std::vector<std::string>& arguments,
                                     std::string* machine) {
  std::string line;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "--machine" && i + 1 < arguments.size()) {
      if (machine) *machine = arguments[++i];
      continue;
    }
    if (argument.rfind("--machine=", 0) == 0) {
      if (machine) *machine = argument.substr(10);
      continue;
    }
    if (!line.empty()) line += ' ';
    // An argument with a blank was quoted on the command line.
    line += argument.find(' ') == std::string::npos ? argument : "\"" + argument + "\"";
  }
  return line;
}

}  // namespace kavo9
