// The object's key names, its constructors, its copy and the version stamp of its form key.
#include "core/Escalation.h"
#include "core/FileNames.h"
#include "core/ProgramName.h"
#include "core/RunningProgram.h"
#include "framework/formregistry/FormRegistry_.h"
#include "framework/formregistry/RegistryAccess.h"

namespace kiv {

using formregistry::DeleteTree;
using formregistry::KeyCloser;
using formregistry::NewRegistry;
using formregistry::TryReadInteger;

namespace {

constexpr const char* kVersion = "Version";

std::string RunningProgramName() {
  return ProgramNameWithoutExe(ExtractFileName(RunningProgramPath()));
}

std::string ProgramKey(const std::string& programName) {
  return "Software\\" + programName;
}

std::string FormsKey(const std::string& programName) {
  return ProgramKey(programName) + "\\Forms\\";
}

} // namespace

TFormRegistry::TFormRegistry(TForm& iForm, int iVersion) {
  GuardWrapping(ClassName(), "Create", [&] {
    FVersion = iVersion;
    Registry = NewRegistry(false);
    InitForForm(iForm);
    CheckVersionNo(true);
  });
}

TFormRegistry::TFormRegistry(TForm& iForm, const std::string& iID, int iVersion)
    : TFormRegistry(iForm, iVersion) {
  GuardWrapping(ClassName(), "Create", [&] {
    FId = iID;
    if (!FId.empty()) {
      FKeyNameForm += "_" + iID;
      FKeyNamePosition = FKeyNameForm + "\\Position";
      FKeyNameSettings = FKeyNameForm + "\\Settings";
    }
    if (GetVersion() == 0)
      WriteVersion(0);
    CheckVersionNo(true);
  });
}

TFormRegistry::TFormRegistry(const std::string& iFormName, int iVersion) {
  GuardWrapping(ClassName(), "Create", [&] {
    FVersion = iVersion;
    Registry = NewRegistry(false);
    ProgramName = RunningProgramName();
    FKeyNameProgram = ProgramKey(ProgramName);
    FKeyNameForm = FormsKey(ProgramName) + iFormName;
    FKeyNameSettings = FKeyNameForm + "\\Settings";
    CheckVersionNo(false);
  });
}

TFormRegistry::TFormRegistry(TForm* iForm, std::string iID, int iVersion,
                             std::string iKeyNameProgram, std::string iKeyNameForm,
                             std::string iKeyNamePosition, std::string iKeyNameSettings)
    : ProgramName(RunningProgramName()), FForm(iForm), FId(std::move(iID)),
      Registry(NewRegistry(false)), FKeyNameProgram(std::move(iKeyNameProgram)),
      FKeyNameForm(std::move(iKeyNameForm)), FKeyNamePosition(std::move(iKeyNamePosition)),
      FKeyNameSettings(std::move(iKeyNameSettings)), FVersion(iVersion) {}

TFormRegistry::~TFormRegistry() = default;

void TFormRegistry::InitForForm(TForm& iForm) {
  ProgramName = RunningProgramName();
  FForm = &iForm;
  const std::string& name = iForm.Name();
  FKeyNameProgram = ProgramKey(ProgramName);
  FKeyNameForm = FormsKey(ProgramName) + name.substr(0, name.find('_'));
  FKeyNamePosition = FKeyNameForm + "\\Position";
  FKeyNameSettings = FKeyNameForm + "\\Settings";
}

std::unique_ptr<TFormRegistry> TFormRegistry::CreateCopy() const {
  return GuardWrapping(ClassName(), "CreateCopy", [&] {
    // The stored version is read through a copy of its own so that this object stays untouched,
    // its last key outcome too.
    std::unique_ptr<TFormRegistry> copy(new TFormRegistry(
        FForm, GetID(), 0, FKeyNameProgram, FKeyNameForm, FKeyNamePosition, FKeyNameSettings));
    copy->FVersion = copy->GetVersion();
    return copy;
  });
}

std::string TFormRegistry::GetID() const {
  if (!FId.empty() && FId.back() == '_')
    return FId.substr(0, FId.size() - 1);
  return FId;
}

int TFormRegistry::GetVersion() {
  return GuardWrapping(ClassName(), "GetVersion", [&] {
    if (!OpenKey(*Registry, FKeyNamePosition, false))
      return 0;
    const KeyCloser closer(*Registry);
    return TryReadInteger(*Registry, kVersion).value_or(0);
  });
}

void TFormRegistry::SaveVersion(bool iReadFromPosition) {
  GuardWrapping(ClassName(), "SaveVersion", [&] {
    if (!OpenKey(*Registry, iReadFromPosition ? FKeyNamePosition : FKeyNameSettings, true))
      return;
    const KeyCloser closer(*Registry);
    Registry->WriteInteger(kVersion, FVersion);
  });
}

void TFormRegistry::WriteVersion(int iVersion) {
  GuardWrapping(ClassName(), "WriteVersion", [&] {
    if (!OpenKey(*Registry, FKeyNamePosition, true))
      return;
    const KeyCloser closer(*Registry);
    Registry->WriteInteger(kVersion, iVersion);
  });
}

void TFormRegistry::CheckVersionNo(bool iReadFromPosition) {
  GuardWrapping(ClassName(), "CheckVersionNo", [&] {
    platform::SettingsTransaction transaction(Registry->Store());
    bool outdated = false;
    if (OpenKey(*Registry, iReadFromPosition ? FKeyNamePosition : FKeyNameSettings, false)) {
      const KeyCloser closer(*Registry);
      // A stamp that cannot be read is as outdated as one of another version.
      outdated = Registry->ValueExists(kVersion) &&
                 TryReadInteger(*Registry, kVersion) != std::optional<int>(FVersion);
    }
    if (outdated)
      DeleteTree(*Registry, FKeyNameForm);
    SaveVersion(iReadFromPosition);
    transaction.Commit();
  });
}

bool TFormRegistry::OpenKey(TRegistry& registry, const std::string& path, bool create) {
  const std::optional<std::string> key = formregistry::KeyBelowRoot(path);
  KeyGood = key && registry.OpenKey(formregistry::FromRoot(*key), create);
  return KeyGood;
}

bool TFormRegistry::OpenKeyReadOnly(TRegistry& registry, const std::string& path) {
  const std::optional<std::string> key = formregistry::KeyBelowRoot(path);
  KeyGood = key && registry.OpenKeyReadOnly(formregistry::FromRoot(*key));
  return KeyGood;
}

} // namespace kiv
