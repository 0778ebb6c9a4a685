// The program's version in its key, and the reset of everything the program stored after an
// update.
#include "core/Escalation.h"
#include "core/FileNames.h"
#include "core/RunningProgram.h"
#include "framework/formregistry/FormRegistry_.h"
#include "framework/formregistry/RegistryAccess.h"
#include "framework/toolkit/Dialogs.h"
#include "model/PeloCode_.h"

#include <cctype>
#include <optional>

namespace kiv {

using formregistry::DeleteTree;
using formregistry::KeyCloser;

namespace {

// The major number of a version text, from its leading digits ("10.1" is 10); none when it does
// not begin with a digit or the number is too large to be one.
std::optional<int> MajorVersion(const std::string& text) {
  int major = 0;
  std::size_t digits = 0;
  for (; digits < text.size() && std::isdigit(static_cast<unsigned char>(text[digits])); ++digits) {
    if (major > 99999)
      return std::nullopt;
    major = major * 10 + (text[digits] - '0');
  }
  if (digits == 0)
    return std::nullopt;
  return major;
}

// Whether stored settings of an earlier version must go. A stored text that is not a version
// counts as earlier than any.
bool IsOutdated(const std::optional<std::string>& stored, const std::string& current,
                bool isCorvale) {
  if (!stored)
    return true;
  if (*stored == current)
    return false;
  const std::optional<int> major = MajorVersion(*stored);
  return !major || !isCorvale || *major < 3;
}

std::string ResetMessage() {
  return ChangeFileExt(ExtractFileName(RunningProgramPath()), "") +
         " has updated\rApplication settings will be reset to default values";
}

} // namespace

void TFormRegistry::SaveApplicationVersion() {
  GuardWrapping(ClassName(), "SaveApplicationVersion", [&] {
    if (!OpenKey(*Registry, FKeyNameProgram, true))
      return;
    const KeyCloser closer(*Registry);
    Registry->WriteString("Version", GetApplicationVersion());
  });
}

void TFormRegistry::CheckApplicationVersion(bool iIsCorvale) {
  GuardWrapping(ClassName(), "CheckApplicationVersion", [&] {
    if (!OpenKey(*Registry, FKeyNameProgram, false))
      return;
    bool stamped = false;
    bool outdated = false;
    {
      const KeyCloser closer(*Registry);
      stamped = Registry->ValueExists("Version");
      outdated = stamped && IsOutdated(formregistry::TryReadString(*Registry, "Version"),
                                       GetApplicationVersion(), iIsCorvale);
    }
    if (stamped && !outdated)
      return;
    // The box is answered before the store is written to, so that no other program waits for
    // the user.
    if (outdated)
      MessageDlg(ResetMessage(), TMsgDlgType::mtInformation, mbOK);
    platform::SettingsTransaction transaction(Registry->Store());
    DeleteTree(*Registry, FKeyNameProgram);
    if (outdated)
      DeleteTree(*Registry, "Software\\SlabInvViewer");
    transaction.Commit();
  });
}

} // namespace kiv
