#pragma once

#include <cstdint>
#include <string>

namespace kiv::bench {

// Writes the model file at columnPath again at path, with the same values in the general form
// that a hand edit or another program leaves instead of the writer's 12-character columns: the
// header lines unchanged; in the model blocks every integer as it stands and every real as
// printf's "%.6g" writes it (so whole numbers come out as integers), or with as many digits as
// reading it back to the same double takes; words separated by one to three blanks, some lines
// indented, blank columns dropped. Lines end in CR LF. Returns the new file's size in bytes.
// Throws std::system_error.
std::uint64_t RewriteInGeneralForm(const std::string& columnPath, const std::string& path);

} // namespace kiv::bench
