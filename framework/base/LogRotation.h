#pragma once

// The diagnostic log's older files: their names and how they move along.

#include <string>

namespace kiv {

// The older log number ANumber (1 to 9) of the log AFileName: its extension replaced by the
// number and ".log" (calc_x_.log gives calc_x_3.log); 0 gives AFileName itself.
std::string NumberedLogName(const std::string& AFileName, int ANumber);

// Makes room for a new log AFileName: deletes number 9, then moves 8 to 9 down to the log itself
// to 1. Missing files and every other failure are skipped.
void RotateLogFiles(const std::string& AFileName);

} // namespace kiv
