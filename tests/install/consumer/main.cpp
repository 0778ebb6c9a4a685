// Reads the header of the model file named by its argument with the installed model library and
// prints how many data files it names and a number rounded by the installed framework's tools,
// on the programs' heap as a program that reads model files runs.

#include "framework/base/Tools.h"
#include "model/ModFile_.h"
#include "platform/heap/ProgramHeap.h"

#include <exception>
#include <iostream>

int main(int argc, char** argv) {
  kiv::platform::SetUpProgramHeap();
  if (argc != 2)
    return 2;
  try {
    kiv::TModFile file(argv[1], true);
    std::cout << file.GetDataFileNames().size() << " data files, "
              << kiv::TTools::NiceRoundNumber(3.14159, 3) << "\n";
  } catch (const std::exception& e) {
    std::cerr << e.what() << "\n";
    return 1;
  }
  return 0;
}
