#include "testing/gui/GuiTestProcess.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <cstdlib>
#include <filesystem>

namespace kiv::test {
namespace {

constexpr const char* kFoldersVariable = "KIV_GUI_TEST_FOLDERS";

QtMessageHandler gQtHandler = nullptr;

void QuietPlatformLimits(QtMsgType type, const QMessageLogContext& context,
                         const QString& message) {
  if (type == QtWarningMsg && message.startsWith(QLatin1String("This plugin does not support ")))
    return;
  gQtHandler(type, context, message);
}

std::optional<TempDir> FoldersUnlessInherited() {
  if (std::getenv(kFoldersVariable))
    return std::nullopt;
  return std::make_optional<TempDir>();
}

std::string MadeFolder(const std::string& path) {
  std::filesystem::create_directory(Utf8Path(path));
  // Qt takes a runtime folder only when nobody else may enter it.
  std::filesystem::permissions(Utf8Path(path), std::filesystem::perms::owner_all);
  return path;
}

} // namespace

GuiTestProcess::GuiTestProcess()
    : owned_(FoldersUnlessInherited()),
      folder_(owned_ ? owned_->path() : std::getenv(kFoldersVariable)),
      runtime_("XDG_RUNTIME_DIR", MadeFolder(folder_ + "runtime")),
      config_("XDG_CONFIG_HOME", MadeFolder(folder_ + "config")),
      data_("XDG_DATA_HOME", MadeFolder(folder_ + "data")),
      cache_("XDG_CACHE_HOME", MadeFolder(folder_ + "cache")) {
  if (owned_)
    setenv(kFoldersVariable, folder_.c_str(), 1);
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", QByteArray("offscreen:configfile=") + KIV_OFFSCREEN_SCREEN_CONFIG);
  gQtHandler = qInstallMessageHandler(QuietPlatformLimits);
}

} // namespace kiv::test
