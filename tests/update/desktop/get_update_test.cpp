// TvekInternetUtils: the progress window through a download from the local HTTPS server, the
// Abort button, a window freed inside a step, a second call inside the first, and refusals.
#include "framework/toolkit/Screen.h"
#include "testing/gui/ModalAnswer.h"
#include "testing/https/UpdateServerFixture.h"
#include "update/desktop/vekInternetUtils_.h"

#include <QMessageBox>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace kiv {
namespace {

using test::Bytes;
using test::ClickMessageBoxButton;
using test::ModalAnswer;
using test::ReadFile;
using test::WriteFile;

// Runs look with the running call's window on every pass of the event loop, as the window's
// steps handle pending events.
class WindowWatch {
public:
  WindowWatch(const TvekInternetUtils& utils, std::function<void(TProgressForm&)> look) {
    timer_.setInterval(0);
    QObject::connect(&timer_, &QTimer::timeout, [&utils, look = std::move(look)] {
      if (TProgressForm* window = utils.ProgressForm())
        look(*window);
    });
    timer_.start();
  }

private:
  QTimer timer_;
};

class GetUpdateWindow : public test::UpdateServerTest {
protected:
  GetUpdateWindow() {
    utils.Settings = Settings();
    Screen().SetCursor(crDefault);
  }
  // The update program's files as served, and their old versions in the download folder.
  void ServeUpdateProgram() {
    Serve("KivSoftware/Update/Upd.ex_", Bytes(250000, 1));
    Serve("KivSoftware/Update/libeay32.dl_", Bytes(250000, 2));
    Serve("KivSoftware/Update/ssleay32.dl_", Bytes(250000, 3));
    for (const char* name : {"Upd.exe", "libeay32.dll", "ssleay32.dll"})
      WriteFile(Folder() + name, std::string("old ") + name);
  }
  bool OldFilesAlone() const {
    for (const char* name : {"Upd.exe", "libeay32.dll", "ssleay32.dll"})
      if (ReadFile(Folder() + name) != std::string("old ") + name)
        return false;
    return Files() == std::vector<std::string>{"Upd.exe", "libeay32.dll", "ssleay32.dll"};
  }

  TvekInternetUtils utils{nullptr};
};

struct KindCaption {
  const char* name;
  TSoftware software;
  const char* archive;
  std::vector<std::string> files; // what the folder holds afterwards
  const char* caption;
};

void PrintTo(const KindCaption& kind, std::ostream* out) {
  *out << kind.name;
}

class GetUpdateCaptions : public GetUpdateWindow,
                          public ::testing::WithParamInterface<KindCaption> {};

// The window's caption names the kind; its label counts the kilobytes of each file from 0 to 250
// and ends with "Download finished!"; the cursor is busy during the call and restored after it.
TEST_P(GetUpdateCaptions, WindowCountsKilobytesUnderTheKindsCaption) {
  const KindCaption& kind = GetParam();
  for (const char* path : {"KivSoftware/Update/Upd.ex_", "KivSoftware/Update/UpdNoUAC.ex_",
                           "KivSoftware/Update/libeay32.dl_", "KivSoftware/Update/ssleay32.dl_",
                           "KivSoftware/Update/unzip.ex_", "Release/Kiv.zip"})
    Serve(path, Bytes(250000, 1));
  std::vector<std::string> labels;
  std::vector<std::string> captions;
  std::vector<TCursor> cursors;
  const WindowWatch watch(utils, [&](TProgressForm& window) {
    if (!window.Visible())
      return;
    if (labels.empty() || labels.back() != window.MainLabel())
      labels.push_back(window.MainLabel());
    if (captions.empty() || captions.back() != window.FormCaption())
      captions.push_back(window.FormCaption());
    cursors.push_back(Screen().Cursor());
  });

  EXPECT_TRUE(utils.GetUpdate(Folder(), kind.software, kind.archive));

  ASSERT_FALSE(labels.empty());
  EXPECT_EQ(labels.front(), "0 of 250 kB downloaded");
  EXPECT_EQ(labels.back(), "Download finished!");
  for (const std::string& label : labels)
    EXPECT_TRUE(label == "Download finished!" ||
                (label.ends_with(" of 250 kB downloaded") && std::stoi(label) <= 250))
        << label;
  EXPECT_NE(std::find(labels.begin(), labels.end(), "250 of 250 kB downloaded"), labels.end());
  EXPECT_EQ(captions, std::vector<std::string>{kind.caption});
  EXPECT_EQ(std::count(cursors.begin(), cursors.end(), crHourGlass), std::ssize(cursors));
  EXPECT_EQ(Screen().Cursor(), crDefault);
  EXPECT_EQ(Files(), kind.files);
  EXPECT_EQ(utils.ProgressForm(), nullptr);
}

const KindCaption kCaptions[] = {
    {"UpdZel",
     TSoftware::UpdZel,
     "",
     {"Upd.exe", "libeay32.dll", "ssleay32.dll"},
     "Downloading update program"},
    {"UpdZel_NoUAC",
     TSoftware::UpdZel_NoUAC,
     "",
     {"UpdNoUAC.exe", "libeay32.dll", "ssleay32.dll"},
     "Downloading update program"},
    {"UnzipProgram", TSoftware::UnzipProgram, "", {"unzip.exe"}, "File download"},
    {"ZipFile", TSoftware::ZipFile, "Kiv.zip", {"Kiv.zip"}, "Downloading software update"},
};

INSTANTIATE_TEST_SUITE_P(Update, GetUpdateCaptions, ::testing::ValuesIn(kCaptions),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(GetUpdateWindow, RefusedCertificateReturnsFalseAndRestoresTheCursor) {
  ServeUpdateProgram();
  utils.Settings = Settings("unknownca");
  EXPECT_FALSE(utils.GetUpdate(Folder(), TSoftware::UpdZel, ""));
  EXPECT_EQ(Screen().Cursor(), crDefault);
  EXPECT_TRUE(OldFilesAlone());
}

// The Abort button asks first: No lets the download go on to the end, Yes ends it.
TEST_F(GetUpdateWindow, AbortAnsweredNoGoesOnAndYesEndsTheDownload) {
  ServeUpdateProgram();
  for (const int answer : {QMessageBox::No, QMessageBox::Yes}) {
    std::string question;
    bool clicked = false;
    const WindowWatch watch(utils, [&](TProgressForm& window) {
      if (window.Visible() && !std::exchange(clicked, true)) {
        const ModalAnswer confirm(ClickMessageBoxButton(answer, &question));
        window.ButtonAbort->Click();
      }
    });
    EXPECT_EQ(utils.GetUpdate(Folder(), TSoftware::UpdZel, ""), answer == QMessageBox::No);
    EXPECT_EQ(question, "Abort processing?");
    EXPECT_EQ(Screen().Cursor(), crDefault);
    if (answer == QMessageBox::Yes) {
      EXPECT_TRUE(OldFilesAlone());
    } else {
      EXPECT_EQ(ReadFile(Folder() + "ssleay32.dll"), Bytes(250000, 3));
      for (const char* name : {"Upd.exe", "libeay32.dll", "ssleay32.dll"})
        WriteFile(Folder() + name, std::string("old ") + name);
    }
  }
}

// A window event frees the progress window inside a step: nothing touches it afterwards, and the
// download, which nobody can watch or stop any more, ends.
TEST_F(GetUpdateWindow, WindowFreedInsideAStepEndsTheDownload) {
  ServeUpdateProgram();
  const WindowWatch watch(utils, [](TProgressForm& window) { delete &window; });
  EXPECT_FALSE(utils.GetUpdate(Folder(), TSoftware::UpdZel, ""));
  EXPECT_EQ(utils.ProgressForm(), nullptr);
  EXPECT_EQ(Screen().Cursor(), crDefault);
  EXPECT_TRUE(OldFilesAlone());
}

// A second call from inside the first one's window events returns false and leaves the first
// one's window alone.
TEST_F(GetUpdateWindow, SecondCallInsideTheFirstReturnsFalse) {
  ServeUpdateProgram();
  Serve("KivSoftware/Update/unzip.ex_", Bytes(250000, 4));
  std::vector<bool> inner;
  TProgressForm* first = nullptr;
  const WindowWatch watch(utils, [&](TProgressForm& window) {
    if (inner.empty()) {
      first = &window;
      inner.push_back(utils.GetUpdate(Folder(), TSoftware::UnzipProgram, ""));
      EXPECT_EQ(utils.ProgressForm(), first);
    }
  });
  EXPECT_TRUE(utils.GetUpdate(Folder(), TSoftware::UpdZel, ""));
  EXPECT_EQ(inner, std::vector<bool>{false});
  EXPECT_EQ(ReadFile(Folder() + "ssleay32.dll"), Bytes(250000, 3));
  EXPECT_FALSE(test::FileExists(Folder() + "unzip.exe"));
}

} // namespace
} // namespace kiv
