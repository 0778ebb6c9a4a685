#pragma once

// Platform service: whether the standard output is a terminal.

namespace kiv::platform {

// True when the standard output is a terminal (a console on Windows): isatty, GetConsoleMode.
bool StandardOutputIsTerminal();

} // namespace kiv::platform
