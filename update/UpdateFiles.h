#pragma once

// The kinds of update and the files each one fetches.

#include "update/UpdateSettings.h"

#include <string>
#include <string_view>
#include <vector>

namespace kiv {

// The kinds of update download.
enum class TSoftware {
  UpdZel,       // the update program with the two library files of its secure connection
  UpdZel_NoUAC, // the same for the update program that runs without elevated rights
  UnzipProgram, // the unpacking program
  ZipFile,      // a release archive
};

// One file of an update: where it lies, where it goes and what its failures say.
struct UpdateFile {
  std::string address;         // the server's address of the file
  std::string target;          // the local path it is stored under
  std::string downloadFailure; // the message when it does not arrive whole
  std::string placeFailure;    // the message when it cannot be put in place
};

// The files of software in download order, stored in downloadDir (a folder with its trailing
// separator); zipFileName names the archive of ZipFile. Throws EPelo for settings without a server
// address, for a kind outside the four and for an archive name that is not a plain file name.
std::vector<UpdateFile> UpdateFilesOf(const UpdateSettings& settings,
                                      const std::string& downloadDir, TSoftware software,
                                      const std::string& zipFileName);

// True for a name that stays inside its folder: not empty, no path separator or drive colon, no
// "..", no control character.
bool IsPlainFileName(std::string_view name);

} // namespace kiv
