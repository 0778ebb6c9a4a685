#pragma once

// The update download: fetching every file of an update into a folder, put in place together.

#include "update/TransferProgress.h"
#include "update/UpdateFiles.h"
#include "update/UpdateSettings.h"

#include <string>

namespace kiv {

// Fetches every file of software from the update server into downloadDir (a folder with its
// trailing separator); zipFileName names the archive of ZipFile. Each file goes to a temporary
// name beside its target (a target that is a symbolic link is refused) and must arrive whole,
// with status 200 and more than 100000 bytes; only when every file of the kind has arrived are
// they moved over their targets, in download order, so that a failed download leaves all the old
// files as they were. Throws EPelo with the message of the file that failed (its cause says why);
// no temporary stays behind. One fetch runs at a time in the process: a fetch started while
// another runs (from a progress notification) fails.
void FetchUpdate(const UpdateSettings& settings, const std::string& downloadDir, TSoftware software,
                 const std::string& zipFileName, TransferProgress& progress);

// True while a fetch runs in the process.
bool UpdateFetchRunning() noexcept;

} // namespace kiv
