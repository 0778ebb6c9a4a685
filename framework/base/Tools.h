#pragma once

// The file and text tools of unit MY_ (TTools): files, folders, text, numbers, CRCs and the
// shell.

#include "platform/Clock.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kiv {

class TInformation;
class TProgressDialog;
class TWindowServices;

// A status report of a long search: AMessage, AItemNumber, and AStopFlag, which the callback
// sets to true to ask for a stop.
using TStatusCallBack =
    std::function<void(const std::string& AMessage, int AItemNumber, bool& AStopFlag)>;

// File, text and number services of the framework.
class TTools {
public:
  // Keeps the references, which must outlive the object. IDialogs may be none: the status
  // callback then does nothing.
  TTools(TProgressDialog* IDialogs, TInformation& IInformation);

  // The class name that locations of failures carry; no class derives from this one.
  static constexpr std::string_view ClassName() noexcept { return "TTools"; }

  // Hands over the toolkit's window services (see WindowServices.h); none until it does.
  void SetWindowServices(TWindowServices* windows) { FWindows = windows; }

  // The objects given at construction.
  TProgressDialog* Dialog() const { return FDialog; }
  TInformation& Information() const { return FInformation; }

  // Sets the file's last-write time (local, two-second resolution); false when the file does
  // not exist or the time cannot be set.
  static bool SetFileDateTime(const std::string& AFileName,
                              const platform::LocalDateTime& ANewFileDateTime);
  // The file version text: four numbers joined by ".", or "N/A!".
  static std::string GetFileVersion(const std::string& AFileName);
  // The calling thread's last system error code and its system text.
  static std::uint32_t GetLastError();
  static std::string GetLastErrorDesc();

  // The decimal text with "0" put in front of its digits, after any sign, up to ADigits
  // characters in all: -5 with 4 gives -005.
  static std::string IntToStrZeros(std::int64_t AInteger, int ADigits);
  // The name of AValue in an enumeration's name table.
  static std::string GetEnumNameAsString(std::span<const std::string_view> ANames, int AValue);
  // -1 when the file does not exist or cannot be opened for reading; else its size in bytes.
  static std::int64_t GetFileSize(const std::string& AFileName);
  // "True" or "False".
  static std::string BoolToStr(bool ABoolean);

  // Upper-case hexadecimal texts: two digits; four digits; eight digits without leading zeros
  // (0 gives ""); two digits per byte.
  static std::string HexByte(std::uint8_t AValue);
  static std::string HexWord(std::uint16_t AValue);
  static std::string HexCardinal(std::uint32_t AValue);
  static std::string HexBytes(std::span<const std::uint8_t> ABytes);

  // Saves the text byte for byte through a temporary file moved over the target, so that a
  // failed save leaves the old content. On failure returns false and, when AErrorMessage is
  // given, sets it to "error saving file to string" (empty on success).
  static bool StringSaveToFile(const std::string& AFileName, std::string_view AStringToSave,
                               std::string* AErrorMessage = nullptr);
  // The file's bytes up to the first zero byte. A file that cannot be opened throws
  // std::system_error; a short read sets AErrorMessage to "Error reading file:\tCould not read
  // the whole file" (empty otherwise).
  static std::string StringReadFrom(const std::string& AFileName,
                                    std::string* AErrorMessage = nullptr);

  // ASCII letters in lower case, every other character outside "a-z0-9_-." replaced by "_".
  static std::string LegalFileName(std::string_view AFileName);
  // Not implemented: returns an empty text.
  static std::string LegalPathName(std::string_view APathName);

  // True when CleanDir refuses iDirectory: an empty path, a root, or anything but an existing
  // real folder (a link to a folder is refused).
  static bool CleanDirRefuses(const std::string& iDirectory);
  // Deletes every file and link under iDirectory, sub-folders included, without following links
  // (a link is removed itself); folders stay. Then removes iDirectory when it is empty. Refuses
  // what CleanDirRefuses names and swallows every failure.
  static void CleanDir(const std::string& iDirectory);

  // The entries matching AFilespec (folder part and mask, "*.*" any name), each with its folder:
  // those whose attribute word equals AAttributes, or every entry for -1. With AIncludeSubDirs
  // the sub-folders are searched after each folder's own entries; links are never followed.
  // The callback hears of every entry found and may stop the whole search. nullopt on failure.
  static std::optional<std::vector<std::string>>
  FindFiles(const std::string& AFilespec, bool AIncludeSubDirs, std::int32_t AAttributes,
            const TStatusCallBack& AStatusCallBack = {});

  // A status callback that shows the progress window of the dialog helpers.
  void StatusCallBack(const std::string& AMessage, int AItemNumber, bool& AStopFlag) const;

  // model.mod gives model.orig_mod; a name without extension gives "".
  static std::string CreateBackupFileName(const std::string& AFileName);

  // Copies the file. AOverwriteIfExists keeps the meaning callers rely on, that of the system's
  // fail-if-exists flag: true refuses to replace an existing target, false replaces it. The copy
  // is written beside the target and moved over it, so a failed copy leaves the old target.
  // Copying a file onto itself is refused. False on any failure.
  static bool CopyFile(const std::string& AFileNameFrom, const std::string& AFileNameTo,
                       bool AOverwriteIfExists);

  // ASCII letters in upper case, every other character outside "A-Z0-9_" replaced by "_", then
  // the decimal time-stamp counter.
  std::string CreateComponentName(std::string_view ABaseName) const;

  // The text from the first "www." on (at most 255 characters), else
  // "url_is_not_found_in_string:_" followed by AString.
  static std::string GetURLFromString(std::string_view AString);

  // Item ASubStringNumber (from 1) of AInput split at ADelimiter (runs of it count as one) and
  // at line breaks; "" when there are fewer items. Throws std::out_of_range below 1.
  static std::string SubString(int ASubStringNumber, std::string_view AInput, char ADelimiter);

  // The working set in whole mebibytes of the process owning the top-level window titled
  // iProcessName; false (oMemSize unchanged) when there is no such window, no window services
  // or the counters cannot be read.
  bool GetProcessMemorySize(const std::string& iProcessName, std::uint64_t& oMemSize) const;

  // iValue rounded to about iPrecision significant digits for display (ties to even on the
  // exact value); negative values keep their sign; NaN and infinities give "NAN", "INF", "-INF".
  static std::string NiceRoundNumber(double iValue, int iPrecision);

  // Reflected table-driven CRCs with initial value 0 and no final complement: CRC-32
  // (0xEDB88320) and CRC-64 (ECMA-182, 0xC96C5795D7870F42). 0 for no bytes.
  static std::uint32_t CRC32(std::span<const std::uint8_t> AInput);
  static std::int64_t CRC64(std::span<const std::uint8_t> AInput);

  // Starts the file as a double click would, with the parameters (a Windows command line's text
  // after the program's name); true when it started. On Linux an executable file is started
  // directly with the parameters as its arguments; any other file is opened with its default
  // program, which cannot take parameters: given any, it opens without them and the result is
  // false.
  static bool RunFile(const std::string& AFileName, const std::string& ACommandLineParameters);

  // Opens the mail client with "mailto:" AAddress "?subject=" ASubject "&body= " and the
  // computer summary, subject and summary percent-encoded. ASender and ABody are not used.
  bool RunDefaultEmailClient(const std::string& AAddress, const std::string& ASender,
                             const std::string& ASubject, const std::string& ABody) const;

  // True when the whole text is a 32-bit integer (leading blanks, a sign, decimal digits, or
  // hexadecimal after "$", "x" or "0x") or a number with "." and an optional exponent.
  static bool IsNumeric(std::string_view iStrToTest);

  // The width and height of a Windows bitmap file; needs the toolkit's window services.
  void BitmapGetDims(const std::string& iFileName, int& oWidth, int& oHeight) const;

private:
  TProgressDialog* FDialog;
  TInformation& FInformation;
  TWindowServices* FWindows = nullptr;
};

} // namespace kiv
