#include "core/Exceptions.h"

namespace kiv {

std::string Exception::CauseMessage() const {
  if (!cause_)
    return {};
  try {
    std::rethrow_exception(cause_);
  } catch (const std::exception& e) {
    return e.what();
  } catch (...) {
    return {};
  }
}

std::error_code Exception::CauseCode() const {
  if (!cause_)
    return {};
  try {
    std::rethrow_exception(cause_);
  } catch (const std::system_error& e) {
    return e.code();
  } catch (const Exception& e) {
    return e.CauseCode();
  } catch (...) {
    return {};
  }
}

} // namespace kiv
