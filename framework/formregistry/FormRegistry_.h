#pragma once

// The unit FormRegistry_ (TFormRegistry): a form's placement, values, lists, columns and panels
// in the per-user settings registry.

#include "framework/toolkit/Form.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kiv {

class TRegistry;
class TCustomGrid;
class TPanel;

// What a desktop program remembers about one of its windows from run to run, in the current
// user's hive under Software\<program>\Forms\<form>: the placement (Position subkey), named
// settings, grid column widths, panel sizes and input control content (Settings subkey). The form
// key carries the layout version the program passes in; a key stamped with another version (or
// with a stamp that cannot be read) is cleared when the object is made.
class TFormRegistry {
public:
  // The layout of iForm, under the form key named after the form's name up to its first "_".
  TFormRegistry(TForm& iForm, int iVersion);
  // The same, with a layout of its own for each non-empty iID (form key + "_" + iID).
  TFormRegistry(TForm& iForm, const std::string& iID, int iVersion);
  // The settings of a form known only by name; it has no position key.
  TFormRegistry(const std::string& iFormName, int iVersion);
  virtual ~TFormRegistry();
  TFormRegistry(const TFormRegistry&) = delete;
  TFormRegistry& operator=(const TFormRegistry&) = delete;

  // A new object for the same keys, with this object's ID and stored version; the store is not
  // touched.
  std::unique_ptr<TFormRegistry> CreateCopy() const;

  // The class name that locations of failures carry; a derived registry reports its own.
  virtual std::string_view ClassName() const noexcept { return "TFormRegistry"; }

  TForm* Form() const noexcept { return FForm; }
  std::string GetID() const;
  const std::string& KeyNameProgram() const noexcept { return FKeyNameProgram; }
  const std::string& KeyNameForm() const noexcept { return FKeyNameForm; }
  const std::string& KeyNamePosition() const noexcept { return FKeyNamePosition; }
  const std::string& KeyNameSettings() const noexcept { return FKeyNameSettings; }

  // Placement. The getters read the position key (0, false or empty when it or the value is
  // missing or cannot be read); sizes and places are scaled by the form's pixel density, and the
  // savers divide by the same factor.
  void SavePosition();
  bool Restore();
  void SaveLeft();
  void SaveTop();
  void SaveWidth();
  void SaveHeight();
  void SaveUndockWidth();
  void SaveUndockHeight();
  void SaveWindowState();
  void SaveVisible();
  void SaveDockHost();
  void SaveFormStyle();
  void SaveBorderStyle();
  void SaveDragMode();
  void SaveDragKind();
  void SaveLRDockWidth();
  void SaveTBDockHeight();
  int GetLeft();
  int GetTop();
  int GetWidth();
  int GetHeight();
  int GetUndockWidth();
  int GetUndockHeight();
  int GetLRDockWidth();
  int GetTBDockHeight();
  TWindowState GetWindowState();
  TFormStyle GetFormStyle();
  TFormBorderStyle GetBorderStyle();
  TDragMode GetDragMode();
  TDragKind GetDragKind();
  bool GetVisible();
  std::string GetDockHost();

  // The layout version stamped in the position key; 0 when there is none.
  int GetVersion();
  // Stamps the version into the position key (true) or the settings key (false).
  void SaveVersion(bool iReadFromPosition);
  void WriteVersion(int iVersion);
  // Clears the form key when the stamp in the position key (true) or the settings key (false)
  // differs from the version or cannot be read; then stamps it.
  void CheckVersionNo(bool iReadFromPosition);

  // Named values of the settings key. A read of a missing value or of one of another type
  // returns false and leaves oValue as it was.
  void WriteByName(const std::string& ValueName, int Value);
  void WriteByName(const std::string& ValueName, const std::string& Value);
  void WriteByName(const std::string& ValueName, const char* Value);
  void WriteByName(const std::string& ValueName, double Value);
  void WriteByName(const std::string& ValueName, bool Value);
  bool ReadByName(const std::string& iValueName, int& oValue);
  bool ReadByName(const std::string& iValueName, std::string& oValue);
  bool ReadByName(const std::string& iValueName, double& oValue);
  bool ReadByName(const std::string& iValueName, bool& oValue);
  void ReadByNameDefault(const std::string& iValueName, int& oValue, int iDefaultValue);
  void ReadByNameDefault(const std::string& iValueName, double& oValue, double iDefaultValue);
  void ReadByNameDefault(const std::string& iValueName, std::string& oValue,
                         const std::string& iDefaultValue);
  void ReadByNameDefault(const std::string& iValueName, bool& oValue, bool iDefaultValue);
  std::string ReadByNameDefault(const std::string& iValueName, const std::string& iDefaultValue);
  std::string ReadByNameDefault(const std::string& iValueName, const char* iDefaultValue);
  int ReadByNameDefault(const std::string& iValueName, int iDefaultValue);
  double ReadByNameDefault(const std::string& iValueName, double iDefaultValue);
  bool ReadByNameDefault(const std::string& iValueName, bool iDefaultValue);

  // Lists of "name=value" lines. The readers replace the list by the key's values in the
  // store's order and return false, leaving it, when the key does not exist. RegKey and Key count
  // from the hive's root, with or without a leading "\" ("\Software\X"). The writers of
  // either hive store a line without "=" whole as "Text" and its index from 0 (the current-key
  // writer refuses it); the machine's writer writes only into a key that exists.
  bool ReadListFromRegistryInCurrentKey(std::vector<std::string>& ioSL);
  void WriteListToRegistryInCurrentKey(const std::vector<std::string>& iSL);
  bool ReadFromRegistryHKCU(std::vector<std::string>& sl, const std::string& RegKey);
  void WriteToRegistryHKCU(const std::vector<std::string>& sl, const std::string& RegKey);
  bool ReadFromRegistryHKLM(std::vector<std::string>& sl, const std::string& RegKey);
  void WriteToRegistryHKLM(const std::vector<std::string>& sl, const std::string& RegKey);

  void DeleteAllForCurrentKey();
  void DeleteAllForCurrentKeySettings();
  bool DeleteKeyHKCU(const std::string& Key);

  // Column widths of string grids and sizes of panels, each in a subkey of the settings key named
  // after the control; stored unscaled.
  void WriteColWidths(TCustomGrid& Grid);
  bool ReadColWidths(TCustomGrid& Grid);
  void WriteColWidth(TCustomGrid& Grid, int Column);
  bool ReadColWidth(TCustomGrid& Grid, int Column);
  void WritePanelSize(TPanel& Panel);
  bool ReadPanelSize(TPanel& Panel);
  void SaveAllCols();
  void ReadAllCols();
  void SaveAllPanels();
  void ReadAllPanels();

  // The content of the input controls of Form (and of the frames it owns) whose tag is the given
  // one, as named values of the settings key.
  void SaveControlContent(TForm& Form, int SaveTag);
  void LoadControlContent(TForm& Form, int LoadTag);

  // The program's version text in the program key; the check resets every stored setting of the
  // program, telling the user, after an update.
  void SaveApplicationVersion();
  void CheckApplicationVersion(bool iIsCorvale);

private:
  // Builds an object for a form or for none, with the given key names, without the store.
  TFormRegistry(TForm* iForm, std::string iID, int iVersion, std::string iKeyNameProgram,
                std::string iKeyNameForm, std::string iKeyNamePosition,
                std::string iKeyNameSettings);
  void InitForForm(TForm& iForm);

  // Opens path, counted from the hive's root with or without a leading "\", in the object's
  // accessor for reading and writing (creating it when asked), or for reading only; records the
  // outcome in KeyGood. The root and a path with an empty name never open.
  bool OpenKey(TRegistry& registry, const std::string& path, bool create);
  bool OpenKeyReadOnly(TRegistry& registry, const std::string& path);

  // The form of an operation that needs one. An object made from a form name has none, and the
  // operation fails with EPFatal, which its guard locates, rather than reach into nothing.
  TForm& RequireForm() const;
  int ScaleFactor() const;
  int ReadPositionInteger(const char* name);
  int ReadScaled(const char* name);
  int ReadClamped(const char* name, const char* sizeName, int screenSize);
  int ReadOrdinal(const char* name, int count);
  void WritePositionInteger(const char* name, int value);
  void WritePositionOrdinal(const char* name, int ordinal);
  void WriteScaled(const char* name, int value);
  void KeepOnScreen();

  template <class Value> bool ReadNamed(const std::string& name, Value& value);
  template <class Value> void WriteNamed(const std::string& name, const Value& value);
  bool ReadList(std::vector<std::string>& list, const std::string& path, bool machine,
                bool skipOthers);
  void SaveControl(TComponent& component);
  void LoadControl(TComponent& component);

  std::string ProgramName;
  TForm* FForm = nullptr;
  std::string FId;
  std::unique_ptr<TRegistry> Registry;
  bool KeyGood = false;
  std::string FKeyNameProgram;
  std::string FKeyNameForm;
  std::string FKeyNamePosition;
  std::string FKeyNameSettings;
  int FVersion = 0;
};

} // namespace kiv
