#include "framework/toolkit/Printer.h"

namespace kiv {

TPrinter& Printer() {
  static TPrinter printer;
  return printer;
}

} // namespace kiv
