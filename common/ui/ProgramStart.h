#pragma once
// What both programs read from their command line before anything else:
//
//   PROGRAM [-S|-s] [--machine DIR] [--screenshots FOLDER]
//
// "--screenshots FOLDER" photographs the windows into FOLDER and ends; "--machine DIR" names the
// simulated machine (else $KAVO9_MACHINE, else the user's default machine); what remains is the
// program's own Windows command line ("-S" starts without the window).

#include <QString>
#include <filesystem>
#include <string>

namespace kavo9 {

struct ProgramArguments {
  QString screenshots;  // empty: no pictures asked for
  std::string commandLine;
  std::filesystem::path machine;  // its run folder exists
};

ProgramArguments ReadProgramArguments(int argc, char** argv);

}  // namespace kavo9
