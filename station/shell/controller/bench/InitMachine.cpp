// Makes a simulated machine folder from a scenario (for the measurement script).
#include <cstdio>
#include <string>

#include "sim/daemon/MachineSetup.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: controller_init_machine SCENARIO MACHINE_DIR\n");
    return 2;
  }
  std::string error;
  if (!kavo9::InitMachine(argv[1], kavo9::MachineLayout(argv[2]), &error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  return 0;
}
