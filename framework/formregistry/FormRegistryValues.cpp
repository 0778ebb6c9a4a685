// Named values of the settings key.
#include "core/Escalation.h"
#include "framework/formregistry/FormRegistry_.h"
#include "framework/formregistry/RegistryAccess.h"

namespace kiv {

using formregistry::KeyCloser;

namespace {

void WriteValue(TRegistry& registry, const std::string& name, int value) {
  registry.WriteInteger(name, value);
}
void WriteValue(TRegistry& registry, const std::string& name, const std::string& value) {
  registry.WriteString(name, value);
}
void WriteValue(TRegistry& registry, const std::string& name, double value) {
  registry.WriteFloat(name, value);
}
void WriteValue(TRegistry& registry, const std::string& name, bool value) {
  registry.WriteBool(name, value);
}

std::optional<int> TryRead(TRegistry& registry, const std::string& name, const int*) {
  return formregistry::TryReadInteger(registry, name);
}
std::optional<std::string> TryRead(TRegistry& registry, const std::string& name,
                                   const std::string*) {
  return formregistry::TryReadString(registry, name);
}
std::optional<double> TryRead(TRegistry& registry, const std::string& name, const double*) {
  return formregistry::TryReadFloat(registry, name);
}
std::optional<bool> TryRead(TRegistry& registry, const std::string& name, const bool*) {
  return formregistry::TryReadBool(registry, name);
}

} // namespace

template <class Value> void TFormRegistry::WriteNamed(const std::string& name, const Value& value) {
  GuardWrapping(ClassName(), "WriteByName", [&] {
    if (!OpenKey(*Registry, FKeyNameSettings, true))
      return;
    const KeyCloser closer(*Registry);
    WriteValue(*Registry, name, value);
  });
}

template <class Value> bool TFormRegistry::ReadNamed(const std::string& name, Value& value) {
  return GuardWrapping(ClassName(), "ReadByName", [&] {
    if (!OpenKey(*Registry, FKeyNameSettings, false))
      return false;
    const KeyCloser closer(*Registry);
    const std::optional<Value> read = TryRead(*Registry, name, &value);
    if (read)
      value = *read;
    return read.has_value();
  });
}

void TFormRegistry::WriteByName(const std::string& ValueName, int Value) {
  WriteNamed(ValueName, Value);
}
void TFormRegistry::WriteByName(const std::string& ValueName, const std::string& Value) {
  WriteNamed(ValueName, Value);
}
void TFormRegistry::WriteByName(const std::string& ValueName, const char* Value) {
  WriteNamed(ValueName, std::string(Value));
}
void TFormRegistry::WriteByName(const std::string& ValueName, double Value) {
  WriteNamed(ValueName, Value);
}
void TFormRegistry::WriteByName(const std::string& ValueName, bool Value) {
  WriteNamed(ValueName, Value);
}

bool TFormRegistry::ReadByName(const std::string& iValueName, int& oValue) {
  return ReadNamed(iValueName, oValue);
}
bool TFormRegistry::ReadByName(const std::string& iValueName, std::string& oValue) {
  return ReadNamed(iValueName, oValue);
}
bool TFormRegistry::ReadByName(const std::string& iValueName, double& oValue) {
  return ReadNamed(iValueName, oValue);
}
bool TFormRegistry::ReadByName(const std::string& iValueName, bool& oValue) {
  return ReadNamed(iValueName, oValue);
}

void TFormRegistry::ReadByNameDefault(const std::string& iValueName, int& oValue,
                                      int iDefaultValue) {
  GuardWrapping(ClassName(), "ReadByNameDefault(Integer)", [&] {
    if (!ReadByName(iValueName, oValue))
      oValue = iDefaultValue;
  });
}

void TFormRegistry::ReadByNameDefault(const std::string& iValueName, double& oValue,
                                      double iDefaultValue) {
  GuardWrapping(ClassName(), "ReadByNameDefault(Double)", [&] {
    if (!ReadByName(iValueName, oValue))
      oValue = iDefaultValue;
  });
}

void TFormRegistry::ReadByNameDefault(const std::string& iValueName, std::string& oValue,
                                      const std::string& iDefaultValue) {
  GuardWrapping(ClassName(), "ReadByNameDefault(string)", [&] {
    if (!ReadByName(iValueName, oValue))
      oValue = iDefaultValue;
  });
}

void TFormRegistry::ReadByNameDefault(const std::string& iValueName, bool& oValue,
                                      bool iDefaultValue) {
  GuardWrapping(ClassName(), "ReadByNameDefault", [&] {
    if (!ReadByName(iValueName, oValue))
      oValue = iDefaultValue;
  });
}

std::string TFormRegistry::ReadByNameDefault(const std::string& iValueName,
                                             const std::string& iDefaultValue) {
  return GuardWrapping(ClassName(), "ReadByNameDefault", [&] {
    std::string value;
    ReadByNameDefault(iValueName, value, iDefaultValue);
    return value;
  });
}

std::string TFormRegistry::ReadByNameDefault(const std::string& iValueName,
                                             const char* iDefaultValue) {
  return ReadByNameDefault(iValueName, std::string(iDefaultValue));
}

int TFormRegistry::ReadByNameDefault(const std::string& iValueName, int iDefaultValue) {
  return GuardWrapping(ClassName(), "ReadByNameDefault", [&] {
    int value = 0;
    ReadByNameDefault(iValueName, value, iDefaultValue);
    return value;
  });
}

double TFormRegistry::ReadByNameDefault(const std::string& iValueName, double iDefaultValue) {
  return GuardWrapping(ClassName(), "ReadByNameDefault", [&] {
    double value = 0;
    ReadByNameDefault(iValueName, value, iDefaultValue);
    return value;
  });
}

bool TFormRegistry::ReadByNameDefault(const std::string& iValueName, bool iDefaultValue) {
  return GuardWrapping(ClassName(), "ReadByNameDefault", [&] {
    bool value = false;
    ReadByNameDefault(iValueName, value, iDefaultValue);
    return value;
  });
}

} // namespace kiv
