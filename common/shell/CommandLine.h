#pragma once
// The programs' command line: both take "-S" to start without their window.

#include <string>
#include <string_view>
#include <vector>

namespace kavo9 {

// Only a whole command line of exactly "-S" or "-s" starts a program without its main window (the
// station's main window, the soft-AP utility's sheet); "/S", "-S " or anything else opens it.
bool OpensMainWindowAtStart(std::string_view commandLine);

// Takes the machine option ("--machine DIR" or "--machine=DIR") out of `arguments`: its DIR, or
// empty when there is none.
std::string TakeMachineOption(std::vector<std::string>* arguments);

// The program's own command line (Windows form) from its arguments after the program name, with
// the machine option ("--machine DIR" or "--machine=DIR") taken out into `machine`.
std::string CommandLineFromArguments(const std::vector<std::string>& arguments,
                                     std::string* machine);

}  // namespace kavo9
