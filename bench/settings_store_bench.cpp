// The settings store through TRegistry beside QSettings in INI format, on the same values: a
// form's placement saved and restored, and 1,000 named values written and read back. Each store
// makes every write lasting before the next step (the store commits, QSettings syncs).

#include "framework/base/Registry.h"

#include <QSettings>
#include <QString>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

namespace kiv::bench {
namespace {

// A fresh folder for both stores, named by KIV_REGISTRY_DIR, removed at the end.
class Folder {
public:
  Folder()
      : path_(std::filesystem::temp_directory_path() /
              ("kiv-settings-bench-" + std::to_string(std::random_device{}()))) {
    std::filesystem::create_directories(path_);
    setenv("KIV_REGISTRY_DIR", path_.c_str(), 1);
  }
  Folder(const Folder&) = delete;
  Folder& operator=(const Folder&) = delete;
  ~Folder() { std::filesystem::remove_all(path_); }
  QString Ini() const { return QString::fromStdString((path_ / "settings.ini").string()); }

private:
  std::filesystem::path path_;
};

Folder& TheFolder() {
  static Folder folder;
  return folder;
}

const char* const kPositionKey = "Software\\Bench\\Forms\\Map\\Position";
const char* const kIntegers[] = {"Left",         "Top",         "Width",       "Height",
                                 "UndockHeight", "UndockWidth", "LRDockWidth", "TBDockHeight"};
const char* const kBytes[] = {"WindowState", "FormStyle", "BorderStyle", "DragMode", "DragKind"};
// What a restore reads, each through a getter that opens the key for itself.
const char* const kRestoredIntegers[] = {"Version",      "Left",        "Top",
                                         "Width",        "Height",      "UndockWidth",
                                         "UndockHeight", "LRDockWidth", "TBDockHeight"};

void BM_StoreSavePositionRestore(benchmark::State& state) {
  TheFolder();
  for (auto _ : state) {
    {
      TRegistry registry;
      registry.OpenKey(kPositionKey, true);
      platform::SettingsTransaction transaction(registry.Store());
      for (const char* name : kIntegers)
        registry.WriteInteger(name, 100);
      for (const char* name : kBytes)
        registry.WriteBinaryData(name, {0});
      registry.WriteBool("Visible", true);
      registry.WriteString("DockHost", "");
      registry.WriteInteger("Version", 3);
      transaction.Commit();
    }
    TRegistry registry;
    std::int64_t sum = 0;
    for (const char* name : kRestoredIntegers) {
      registry.OpenKeyReadOnly(kPositionKey);
      sum += registry.ReadInteger(name);
      registry.CloseKey();
    }
    for (const char* name : {"WindowState", "BorderStyle"}) {
      registry.OpenKeyReadOnly(kPositionKey);
      sum += registry.ReadBinaryData(name).front();
      registry.CloseKey();
    }
    benchmark::DoNotOptimize(sum);
  }
}

void BM_QSettingsSavePositionRestore(benchmark::State& state) {
  const QString ini = TheFolder().Ini();
  const QString group = "Software/Bench/Forms/Map/Position/";
  for (auto _ : state) {
    {
      QSettings settings(ini, QSettings::IniFormat);
      for (const char* name : kIntegers)
        settings.setValue(group + name, 100);
      for (const char* name : kBytes)
        settings.setValue(group + name, QByteArray(1, '\0'));
      settings.setValue(group + "Visible", true);
      settings.setValue(group + "DockHost", QString());
      settings.setValue(group + "Version", 3);
      settings.sync();
    }
    QSettings settings(ini, QSettings::IniFormat);
    std::int64_t sum = 0;
    for (const char* name : kRestoredIntegers)
      sum += settings.value(group + name).toInt();
    for (const char* name : {"WindowState", "BorderStyle"})
      sum += settings.value(group + name).toByteArray().front();
    benchmark::DoNotOptimize(sum);
  }
}

void BM_StoreWriteReadByName(benchmark::State& state) {
  TheFolder();
  const std::string key = "Software\\Bench\\Forms\\Map\\Settings";
  for (auto _ : state) {
    TRegistry registry;
    for (int i = 0; i < 1000; ++i) {
      const std::string name = "Value" + std::to_string(i);
      registry.OpenKey(key, true);
      registry.WriteInteger(name, i);
      registry.CloseKey();
      registry.OpenKeyReadOnly(key);
      benchmark::DoNotOptimize(registry.ReadInteger(name));
      registry.CloseKey();
    }
  }
  state.SetItemsProcessed(state.iterations() * 1000);
}

void BM_QSettingsWriteReadByName(benchmark::State& state) {
  const QString ini = TheFolder().Ini();
  for (auto _ : state) {
    QSettings settings(ini, QSettings::IniFormat);
    for (int i = 0; i < 1000; ++i) {
      const QString name = "Software/Bench/Forms/Map/Settings/Value" + QString::number(i);
      settings.setValue(name, i);
      settings.sync();
      benchmark::DoNotOptimize(settings.value(name).toInt());
    }
  }
  state.SetItemsProcessed(state.iterations() * 1000);
}

BENCHMARK(BM_StoreSavePositionRestore)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_QSettingsSavePositionRestore)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StoreWriteReadByName)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QSettingsWriteReadByName)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kiv::bench

BENCHMARK_MAIN();
