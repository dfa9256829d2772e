#pragma once
// The station utility's command line.

#include <string>
#include <string_view>
#include <vector>

namespace kavo9 {

// Only a whole command line of exactly "-S" or "-s" starts the utility without its main window;
// "/S", "-S " or anything else opens it.
bool OpensMainWindowAtStart(std::string_view commandLine);

// The program's own command line (Windows form) from its arguments after the program name, with
// the machine option ("--machine DIR" or "--machine=DIR") taken out into `machine`.
std::string CommandLineFromArguments(const std::vector<std::string>& arguments,
                                     std::string* machine);

}  // namespace kavo9
