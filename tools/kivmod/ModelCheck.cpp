#include "tools/kivmod/ModelCheck.h"

#include "core/Exceptions.h"
#include "core/FileNames.h"
#include "platform/AsciiText.h"
#include "platform/FileOperations.h"

namespace kiv {

std::string FailureLine(const std::string& path, const std::exception& failure) {
  const auto* own = dynamic_cast<const Exception*>(&failure);
  const std::int64_t at = own != nullptr ? own->Line() : 0;
  std::string line = path;
  if (at > 0)
    line.append(":").append(std::to_string(at));
  line.append(": ").append(failure.what()).append("\n");
  if (own != nullptr && !own->CauseMessage().empty())
    line += "  cause: " + own->CauseMessage() + "\n";
  return line;
}

std::string CheckModelFile(const std::string& path, const ModelTypeNames& names, bool headerOnly,
                           bool& ok) {
  ok = false;
  try {
    if (headerOnly) {
      TModFile::CheckHeader(path);
      ok = true;
      return path + ": header ok\n";
    }
    const ModelFileRead read = ReadModelFile(path, names);
    ok = true;
    return path + ": ok (" + std::to_string(read.file->NumberOfModels()) + " models)\n";
  } catch (const UsageError&) {
    throw;
  } catch (const std::exception& e) {
    return FailureLine(path, e);
  }
}

void ConvertModelFile(const std::string& in, const std::string& out, const ModelTypeNames& names,
                      SaveLayout layout) {
  if (in == out || platform::IsSameFile(in, out))
    throw UsageError("convert will not write over its input " + in + ": name another file");
  RequireFileOrNothing(out);
  const ModelFileRead read = ReadModelFile(in, names);
  TModFile& file = *read.file;
  const bool sparse = platform::AsciiUpperCase(ExtractFileExt(out)) == ".MO2";
  if (file.SparseFormat() && !sparse)
    throw EPelo("The model-file library has no conversion from the sparse style (" + in +
                ") to the regular one (" + out + ")");
  if (sparse && !file.SparseFormat())
    file.SwitchToSparseFormat(read.type);
  file.SetFileName(out);
  if (layout == SaveLayout::general)
    file.SaveGeneral(read.type, false);
  else
    file.Save(false);
}

} // namespace kiv
