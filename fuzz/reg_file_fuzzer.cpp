// The reader of the registry editor's files, as kivreg import runs it: any bytes either read or
// fail with the reader's own RegFileError, and what reads is written back (as kivreg export
// writes it, UTF-16) into a file that reads to the same keys and values.
#include "fuzz/FuzzSupport.h"
#include "tools/kivreg/RegFileText.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  using namespace kiv;
  std::vector<RegFileKey> keys;
  try {
    keys =
        ParseRegFile(TextOfFileBytes(std::string_view(reinterpret_cast<const char*>(data), size)));
  } catch (const RegFileError&) {
    return 0;
  }
  const std::string text = RegFileText(keys);
  std::vector<RegFileKey> again;
  try {
    again = ParseRegFile(TextOfFileBytes(Utf16FileBytes(text)));
  } catch (const RegFileError& e) {
    fuzz::Fault(std::string("the export does not read back: ") + e.what() + "\n" + text);
  }
  if (again != keys)
    fuzz::Fault("the export reads back to other keys or values:\n" + text);
  return 0;
}
