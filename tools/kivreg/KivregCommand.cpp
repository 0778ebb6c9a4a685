#include "tools/kivreg/KivregCommand.h"

#include "tools/harness/ToolRun.h"
#include "tools/kivreg/RegCommands.h"

#include <exception>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

namespace kiv {
namespace {

constexpr std::string_view kHelp =
    R"(kivreg: reads and writes the settings store as Windows' reg.exe does the registry.

  kivreg query KEY [/v NAME | /ve]
      Prints the key's values (name, type, data) and its subkeys, or one value.
  kivreg add KEY [/v NAME | /ve] [/t TYPE] [/s SEPARATOR] [/d DATA] [/f]
      Creates the key with its parents and writes a value of TYPE REG_SZ (unless /t),
      REG_MULTI_SZ, REG_EXPAND_SZ, REG_DWORD, REG_QWORD, REG_BINARY or REG_NONE: a REG_DWORD or
      REG_QWORD as a decimal or 0x hexadecimal number, REG_BINARY as pairs of hexadecimal
      digits, REG_MULTI_SZ as texts between \0 (or the one character of /s), the others as a
      text. An existing value is replaced only with /f.
  kivreg delete KEY [/v NAME | /ve] /f
      Deletes the value, or the key with everything under it.
  kivreg export KEY FILE [/y]
      Writes the key and its subtree in the registry editor's format (UTF-16 with byte-order
      mark, CR LF lines). An existing FILE is replaced only with /y.
  kivreg import FILE
      Writes what FILE holds (UTF-16 or UTF-8) as one transaction: a malformed file changes
      nothing.
  kivreg --help
      Prints this text.
  kivreg --version
      Prints the program's name and version.

KEY begins with its hive: HKCU or HKEY_CURRENT_USER, HKLM or HKEY_LOCAL_MACHINE (HKCU\Software\
Survey). /ve names the unnamed value. Switches may begin with / or - in any case.
The store's folder is KIV_REGISTRY_DIR when set.

Exit code 0 on success; 1 with a message on the standard error for a missing key or value, a
wrong type or data, a malformed file or any other failure.
)";

} // namespace

int RunKivreg(const std::vector<std::string>& arguments) {
  if (!arguments.empty() &&
      (arguments[0] == "--help" || arguments[0] == "/?" || arguments[0] == "-h")) {
    std::cout << kHelp;
    return 0;
  }
  if (!arguments.empty() && arguments[0] == "--version") {
    std::cout << VersionLine("kivreg") << "\n";
    return 0;
  }
  const std::string command = arguments.empty() ? "" : arguments[0];
  const std::vector<std::string> rest(arguments.empty() ? arguments.end() : arguments.begin() + 1,
                                      arguments.end());
  try {
    std::string output;
    if (command == "query" || command == "QUERY")
      output = RegQuery(rest);
    else if (command == "add" || command == "ADD")
      output = RegAdd(rest);
    else if (command == "delete" || command == "DELETE")
      output = RegDelete(rest);
    else if (command == "export" || command == "EXPORT")
      output = RegExport(rest);
    else if (command == "import" || command == "IMPORT")
      output = RegImport(rest);
    else
      throw RegCommandError("Invalid syntax: the command is query, add, delete, export or "
                            "import. Type \"kivreg --help\" for usage.");
    std::cout << output;
    return 0;
  } catch (const std::exception& e) {
    std::cerr << "ERROR: " << e.what() << "\n";
    return 1;
  }
}

} // namespace kiv
