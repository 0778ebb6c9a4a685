// Lists of name=value lines in any key of either hive, and the deletion of keys.
#include "core/Escalation.h"
#include "framework/formregistry/FormRegistry_.h"
#include "framework/formregistry/RegistryAccess.h"

namespace kiv {

using formregistry::DeleteTree;
using formregistry::KeyCloser;
using formregistry::NewRegistry;

namespace {

// How each writer treats a line without "=". The writers of both hives keep such a line whole
// under a numbered name, so that no text of the list is lost.
enum class PlainLine { NumberedText, Refused };

void WriteLines(TRegistry& registry, const std::vector<std::string>& lines, PlainLine plain) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    const std::size_t equals = line.find('=');
    if (equals != std::string::npos) {
      registry.WriteString(line.substr(0, equals), line.substr(equals + 1));
      continue;
    }
    switch (plain) {
    case PlainLine::NumberedText:
      registry.WriteString("Text" + std::to_string(i), line);
      break;
    case PlainLine::Refused:
      throw EPelo("Invalid key/value pair in input list. Error in "
                  "TFormRegistry.WriteListToRegistryInCurrentKey");
    }
  }
}

} // namespace

bool TFormRegistry::ReadList(std::vector<std::string>& list, const std::string& path, bool machine,
                             bool skipOthers) {
  const std::unique_ptr<TRegistry> registry = NewRegistry(machine);
  // The machine's hive is read-only for an ordinary user.
  if (!(machine ? OpenKeyReadOnly(*registry, path) : OpenKey(*registry, path, false)))
    return false;
  const KeyCloser closer(*registry);
  std::vector<std::string> lines;
  for (const std::string& name : registry->GetValueNames()) {
    if (skipOthers) {
      if (const std::optional<std::string> value = formregistry::TryReadString(*registry, name))
        lines.push_back(name + "=" + *value);
    } else {
      lines.push_back(name + "=" + registry->ReadString(name));
    }
  }
  list = std::move(lines);
  return true;
}

bool TFormRegistry::ReadListFromRegistryInCurrentKey(std::vector<std::string>& ioSL) {
  // The settings key of an object made from a form name holds its integer stamp too.
  return GuardWrapping(ClassName(), "ReadFromRegistry",
                       [&] { return ReadList(ioSL, FKeyNameSettings, false, true); });
}

bool TFormRegistry::ReadFromRegistryHKCU(std::vector<std::string>& sl, const std::string& RegKey) {
  return GuardWrapping(ClassName(), "ReadFromRegistryHKCU",
                       [&] { return ReadList(sl, RegKey, false, false); });
}

bool TFormRegistry::ReadFromRegistryHKLM(std::vector<std::string>& sl, const std::string& RegKey) {
  return GuardWrapping(ClassName(), "ReadFromRegistry",
                       [&] { return ReadList(sl, RegKey, true, false); });
}

void TFormRegistry::WriteListToRegistryInCurrentKey(const std::vector<std::string>& iSL) {
  GuardWrapping(ClassName(), "WriteListToRegistryInCurrentKey", [&] {
    const std::unique_ptr<TRegistry> registry = NewRegistry(false);
    platform::SettingsTransaction transaction(registry->Store());
    if (!OpenKey(*registry, FKeyNameSettings, true))
      return;
    const KeyCloser closer(*registry);
    try {
      WriteLines(*registry, iSL, PlainLine::Refused);
    } catch (const EPelo&) {
      // The lines before the refused one stay written.
      transaction.Commit();
      throw;
    }
    transaction.Commit();
  });
}

void TFormRegistry::WriteToRegistryHKCU(const std::vector<std::string>& sl,
                                        const std::string& RegKey) {
  GuardWrapping(ClassName(), "WriteToRegistryHKCU", [&] {
    const std::unique_ptr<TRegistry> registry = NewRegistry(false);
    platform::SettingsTransaction transaction(registry->Store());
    if (!OpenKey(*registry, RegKey, true))
      return;
    const KeyCloser closer(*registry);
    WriteLines(*registry, sl, PlainLine::NumberedText);
    transaction.Commit();
  });
}

void TFormRegistry::WriteToRegistryHKLM(const std::vector<std::string>& sl,
                                        const std::string& RegKey) {
  GuardWrapping(ClassName(), "WriteToRegistry", [&] {
    const std::unique_ptr<TRegistry> registry = NewRegistry(true);
    platform::SettingsTransaction transaction(registry->Store());
    if (!OpenKey(*registry, RegKey, false))
      return;
    const KeyCloser closer(*registry);
    WriteLines(*registry, sl, PlainLine::NumberedText);
    transaction.Commit();
  });
}

void TFormRegistry::DeleteAllForCurrentKey() {
  GuardEscalating(ClassName(), "DeleteAllForCurrentKey", [&] {
    const std::unique_ptr<TRegistry> registry = NewRegistry(false);
    platform::SettingsTransaction transaction(registry->Store());
    DeleteTree(*registry, FKeyNameForm);
    DeleteTree(*registry, FKeyNameSettings);
    transaction.Commit();
  });
}

void TFormRegistry::DeleteAllForCurrentKeySettings() {
  GuardEscalating(ClassName(), "DeleteAllForCurrentKey",
                  [&] { DeleteTree(*NewRegistry(false), FKeyNameSettings); });
}

bool TFormRegistry::DeleteKeyHKCU(const std::string& Key) {
  return GuardEscalating(ClassName(), "DeleteKey",
                         [&] { return DeleteTree(*NewRegistry(false), Key); });
}

} // namespace kiv
