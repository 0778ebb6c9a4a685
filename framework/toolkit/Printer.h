#pragma once

// Toolkit: the printer (TPrinter) of the framework aggregate.

namespace kiv {

// The printer: no framework service prints, so it offers nothing yet; it stands in the framework
// aggregate where programs expect it.
class TPrinter {};

// The program's one printer object.
TPrinter& Printer();

} // namespace kiv
