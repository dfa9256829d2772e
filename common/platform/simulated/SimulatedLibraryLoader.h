#pragma once
// Loads a library the programs name by its Windows file name from the program's folder: "X.dll"
// is the shared object "libX.so" there. A library that has the entry point
// `Kavo9_BindMachine(const char* machineDir)` is told the machine folder at once, since it cannot
// find it by itself the way a Windows library finds its system.

#include <filesystem>

#include "common/platform/DynamicLibrary.h"

namespace kavo9 {

class SimulatedLibraryLoader : public DynamicLibraryLoader {
 public:
  SimulatedLibraryLoader(std::filesystem::path programDir, std::filesystem::path machineDir)
      : programDir_(std::move(programDir)), machineDir_(std::move(machineDir)) {}
  std::unique_ptr<DynamicLibrary> Load(std::string_view fileName) override;

  // The shared object's name for a Windows library name ("ICSDHCP.dll" -> "libICSDHCP.so").
  static std::string SharedObjectName(std::string_view fileName);

 private:
  std::filesystem::path programDir_;
  std::filesystem::path machineDir_;
};

}  // namespace kavo9
