// kiv_form_settings_bench: a shown form's placement saved and restored through TFormRegistry
// (SavePosition, then Restore) against QSettings in INI format writing, syncing and reading the
// same values for the same form, in one run; the time ratio against the goal.
//
//   kiv_form_settings_bench [--cycles N] [--repetitions R]   (200 and 5 by default)
#include "bench/LoopBench.h"
#include "bench/ScratchFiles.h"
#include "framework/formregistry/FormRegistry_.h"
#include "framework/toolkit/Application.h"
#include "framework/toolkit/Form.h"

#include <QByteArray>
#include <QSettings>
#include <QString>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>

namespace kiv::bench {
namespace {

constexpr double kGoal = 1.0;
constexpr int kVersion = 1;

// The same values as SavePosition writes (one byte for each enumeration), made lasting with one
// sync, then read back by a fresh object as the next start would and put on the form as Restore
// puts them.
class QSettingsPlacement {
public:
  QSettingsPlacement(TForm& form, QString ini) : form_(form), ini_(std::move(ini)) {}

  void Save() {
    QSettings settings(ini_, QSettings::IniFormat);
    settings.beginGroup("Software/Bench/Forms/Map/Position");
    settings.setValue("Left", form_.Left());
    settings.setValue("Top", form_.Top());
    settings.setValue("Width", form_.Width());
    settings.setValue("Height", form_.Height());
    settings.setValue("UndockHeight",
                      form_.UndockHeight != 0 ? form_.UndockHeight : form_.Height());
    settings.setValue("UndockWidth", form_.UndockWidth != 0 ? form_.UndockWidth : form_.Width());
    settings.setValue("WindowState", Byte(static_cast<int>(form_.WindowState())));
    settings.setValue("Visible", form_.Visible());
    settings.setValue("DockHost", QString::fromStdString(form_.HostDockSiteName));
    settings.setValue("FormStyle", Byte(static_cast<int>(form_.FormStyle())));
    settings.setValue("BorderStyle", Byte(static_cast<int>(form_.BorderStyle())));
    settings.setValue("DragMode", Byte(static_cast<int>(form_.DragMode)));
    settings.setValue("DragKind", Byte(static_cast<int>(form_.DragKind)));
    settings.setValue("LRDockWidth", form_.LRDockWidth);
    settings.setValue("TBDockHeight", form_.TBDockHeight);
    settings.setValue("Version", kVersion);
    settings.sync();
  }

  bool Restore() {
    QSettings settings(ini_, QSettings::IniFormat);
    settings.beginGroup("Software/Bench/Forms/Map/Position");
    if (settings.value("Version").toInt() != kVersion)
      return false;
    form_.SetWindowState(
        static_cast<TWindowState>(settings.value("WindowState").toByteArray().front()));
    form_.SetLeft(settings.value("Left").toInt());
    form_.SetTop(settings.value("Top").toInt());
    if (static_cast<TFormBorderStyle>(settings.value("BorderStyle").toByteArray().front()) ==
        TFormBorderStyle::bsSizeable) {
      form_.SetWidth(settings.value("Width").toInt());
      form_.SetHeight(settings.value("Height").toInt());
    }
    form_.UndockWidth = settings.value("UndockWidth").toInt();
    form_.UndockHeight = settings.value("UndockHeight").toInt();
    form_.LRDockWidth = settings.value("LRDockWidth").toInt();
    form_.TBDockHeight = settings.value("TBDockHeight").toInt();
    return true;
  }

private:
  static QByteArray Byte(int ordinal) { return QByteArray(1, static_cast<char>(ordinal)); }

  TForm& form_;
  QString ini_;
};

// The microseconds of one save-and-restore cycle, over cycles of them.
template <class Placement> double MicrosecondsPerCycle(Placement& placement, int cycles) {
  return MicrosecondsPerItem(cycles, [&](size_t) {
    placement.SavePosition();
    if (!placement.Restore())
      throw std::runtime_error("the placement saved was not restored");
  });
}

// QSettingsPlacement under the names of TFormRegistry, so that one loop times both.
struct QSettingsCycle {
  QSettingsPlacement& placement;
  void SavePosition() { placement.Save(); }
  bool Restore() { return placement.Restore(); }
};

int Run(int cycles, int repetitions) {
  const std::string registryDir = Scratch().Path("registry");
  setenv("KIV_REGISTRY_DIR", registryDir.c_str(), 1);
  TForm form(nullptr);
  form.SetName("MapForm");
  form.SetBounds(100, 80, 640, 480);
  form.Show();
  Application().ProcessMessages();

  TFormRegistry registry(form, kVersion);
  QSettingsPlacement ini(form, QString::fromStdString(Scratch().Path("settings.ini")));
  QSettingsCycle iniCycle{ini};
  // One cycle of each first, so that neither pays for making its file inside the measurement.
  MicrosecondsPerCycle(registry, 1);
  MicrosecondsPerCycle(iniCycle, 1);

  // The two take turns, so that a change in the machine's load falls on both alike.
  Samples ours;
  Samples qsettings;
  for (int i = 0; i < repetitions; ++i) {
    ours.Add(MicrosecondsPerCycle(registry, cycles));
    qsettings.Add(MicrosecondsPerCycle(iniCycle, cycles));
  }
  const Samples ratios = Ratios(qsettings, ours);

  std::printf("a shown form's placement saved and restored, %d cycles, %d repetitions; median "
              "[least, greatest]\n",
              cycles, repetitions);
  PrintSpread("TFormRegistry SavePosition + Restore, us", ours, "%.1f");
  PrintSpread("QSettings (INI) write, sync, read, us", qsettings, "%.1f");
  PrintSpread("ratio QSettings / TFormRegistry", ratios);
  return PrintGoal("the form settings registry at least as fast as QSettings", ratios, false, kGoal)
             ? 0
             : 1;
}

} // namespace
} // namespace kiv::bench

int main(int argc, char** argv) {
  // Qt draws on no display unless a platform is named.
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  kiv::TApplication application(argc, argv);
  return kiv::bench::LoopBenchMain(argc, argv, "kiv_form_settings_bench", "cycles", {200, 5},
                                   [](const kiv::bench::LoopOptions& options) {
                                     return kiv::bench::Run(options.items, options.repetitions);
                                   });
}
