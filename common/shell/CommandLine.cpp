#include "common/shell/CommandLine.h"

namespace kavo9 {

bool OpensMainWindowAtStart(std::string_view commandLine) {
  return commandLine != "-S" && commandLine != "-s";
}

std::string TakeMachineOption(std::vector<std::string>* arguments) {
  std::string machine;
  for (size_t i = 0; i < arguments->size();) {
    const std::string& argument = (*arguments)[i];
    if (argument == "--machine" && i + 1 < arguments->size()) {
      machine = (*arguments)[i + 1];
      arguments->erase(arguments->begin() + long(i), arguments->begin() + long(i) + 2);
    } else if (argument.rfind("--machine=", 0) == 0) {
      machine = argument.substr(10);
      arguments->erase(arguments->begin() + long(i));
    } else {
      ++i;
    }
  }
  return machine;
}

std::string CommandLineFromArguments(const std::vector<std::string>& arguments,
                                     std::string* machine) {
  std::vector<std::string> rest = arguments;
  const std::string dir = TakeMachineOption(&rest);
  if (machine && !dir.empty()) *machine = dir;
  std::string line;
  for (const std::string& argument : rest) {
    if (!line.empty()) line += ' ';
    // An argument with a blank was quoted on the command line.
    line += argument.find(' ') == std::string::npos ? argument : "\"" + argument + "\"";
  }
  return line;
}

}  // namespace kavo9
