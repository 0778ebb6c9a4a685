#include "tests/framework/screenshots/UpdateWindows.h"

#include "framework/toolkit/detail/Widget.h"
#include "testing/https/HttpsTestServer.h"
#include "testing/support/TempDir.h"
#include "update/desktop/vekInternetUtils_.h"

#include <QPixmap>
#include <QTimer>
#include <cstdio>
#include <filesystem>

namespace kiv::test {

namespace {

constexpr const char* kHalfway = "125 of 250 kB downloaded";

} // namespace

// The server sends half of the update program and falls silent; while the download waits, the
// window's events run, the picture is taken, and freeing the window ends the download.
bool UpdateWindows(const std::string& folder) {
  const TempDir scratch;
  MakeTestCertificates(scratch / "certificates");
  std::filesystem::create_directories(Utf8Path(scratch / "served/KivSoftware/Update"));
  std::filesystem::create_directories(Utf8Path(scratch / "download"));
  WriteFile(scratch / "served/KivSoftware/Update/Upd.ex_", std::string(250000, 'u'));
  WriteFile(scratch / "served/.behaviour",
            R"({"/KivSoftware/Update/Upd.ex_": {"send": 125000, "stall": true}})");
  const HttpsTestServer server(scratch / "served/", scratch / "certificates");

  TvekInternetUtils utils(nullptr);
  utils.Settings.serverAddress = server.Address("good");
  utils.Settings.caFile = server.CaFile();
  utils.Settings.readTimeout = std::chrono::seconds(10);
  bool saved = false;
  QTimer watch;
  watch.setInterval(0);
  QObject::connect(&watch, &QTimer::timeout, [&] {
    TProgressForm* window = utils.ProgressForm();
    if (window == nullptr || !window->Visible() || window->MainLabel() != kHalfway)
      return;
    const std::string path = folder + "/progress-download.png";
    saved = toolkit::QtWidget(*window).grab().save(QString::fromStdString(path));
    std::printf("%s %s\n", saved ? "wrote" : "could not write", path.c_str());
    delete window;
  });
  watch.start();
  utils.GetUpdate(scratch / "download/", TSoftware::UpdZel, "");
  return saved;
}

} // namespace kiv::test
