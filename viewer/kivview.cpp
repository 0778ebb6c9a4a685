// kivview [FILE]: the suite's model viewer; opens FILE, when given, once the window shows.
#include "framework/desktop/FrameworkStartup.h"
#include "framework/toolkit/Application.h"
#include "platform/heap/ProgramHeap.h"
#include "viewer/ViewerStart.h"

int main(int argc, char** argv) {
  kiv::platform::SetUpProgramHeap();
  kiv::TApplication application(argc, argv);
  kiv::TFrameworkStartup startup(application);
  kiv::viewer::StartViewer(application, std::vector<std::string>(argv, argv + argc), "");
  return application.Run();
}
