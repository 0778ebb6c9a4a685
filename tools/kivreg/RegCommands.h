#pragma once

// The commands of kivreg over the settings store, with the switches of Windows' reg.exe. Each
// returns what it prints on the standard output and throws RegCommandError (or the store's
// std::system_error) with the message for the standard error.

#include <stdexcept>
#include <string>
#include <vector>

namespace kiv {

class RegCommandError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// query KEY [/v NAME | /ve]
std::string RegQuery(const std::vector<std::string>& arguments);
// add KEY [/v NAME | /ve] [/t TYPE] [/s SEPARATOR] [/d DATA] [/f]
std::string RegAdd(const std::vector<std::string>& arguments);
// delete KEY [/v NAME | /ve] [/f]
std::string RegDelete(const std::vector<std::string>& arguments);
// export KEY FILE [/y]
std::string RegExport(const std::vector<std::string>& arguments);
// import FILE
std::string RegImport(const std::vector<std::string>& arguments);

} // namespace kiv
