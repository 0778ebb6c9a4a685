#pragma once

// Platform service: the local date and time.

namespace kiv::platform {

// A local calendar date and wall-clock time.
struct LocalDateTime {
  int year = 0;
  int month = 0; // 1 to 12
  int day = 0;   // 1 to 31
  int hour = 0;
  int minute = 0;
  int second = 0;
  int millisecond = 0;
};

// The current local date and time.
LocalDateTime Now();

} // namespace kiv::platform
