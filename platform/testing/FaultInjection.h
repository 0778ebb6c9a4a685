#pragma once

// Fault injection at the system-call boundary, for tests.
//
// Every call that the platform layer makes to the operating system goes through one seam per
// implementation (platform/posix/SystemCalls.cpp). While a ScopedFault is alive, the seam gives
// the chosen calls of its operation its fault instead of, or on top of, the real call:
//
//   ScopedFault full(Operation::Write, Fault::Error(std::errc::no_space_on_device));
//   ScopedFault second(Operation::Sync, Fault::Error(std::errc::io_error), 1); // passes one first
//   ScopedFault torn(Operation::Write, Fault::ShortTransfer(3));  // the loop must finish the rest
//   ScopedFault signal(Operation::Read, Fault::Interruption());   // the call must be retried
//   ScopedFault gone(Operation::ExecutablePath, Fault::LastingError(std::errc::io_error));
//
// A fault strikes once, on the call after the `passing` calls it lets through; a lasting error
// strikes that call and every later one, as on a system that lacks the service. A fault is
// withdrawn by its destructor whether it struck or not. Several faults may be armed at once;
// each counts the calls of its own operation. The operations and errors are the same on every
// system, so the same tests run against every implementation; an error is a std::errc, which an
// implementation turns into its system's own code (errno on POSIX systems).
//
// Production code pays one load and a branch that is never taken per system call: the seam asks
// its hook only while a fault is armed. Link kiv_platform_testing to use this header. Faults are
// armed and struck on one thread.

#include <cstddef>
#include <system_error>

namespace kiv::platform::testing {

// The operations of the platform layer that a fault can strike.
enum class Operation {
  Open,           // opening or creating a file
  Read,           // reading from an open file
  Write,          // writing to an open file
  Sync,           // flushing an open file to the disk
  Close,          // closing an open file or folder listing
  Rename,         // moving a file over another
  Remove,         // deleting a file
  Status,         // asking a file's type, size, mode or owner
  CheckAccess,    // asking whether the user may write or execute a file
  ChangeMode,     // setting an open file's permissions
  ChangeOwner,    // setting an open file's owner and group
  ResolveLink,    // reading where a symbolic link leads
  SyncFolder,     // flushing a folder's entries to the disk
  ListDirectory,  // starting a folder's listing
  ReadDirectory,  // reading the next entry of a folder's listing
  ExecutablePath, // asking the path of the running executable
  SystemQuery,    // asking the system about itself: names, processors, memory, interfaces
  VolumeQuery,    // asking a mounted volume's number and free space
  CreateFolder,   // creating a folder
  RemoveFolder,   // removing an empty folder
  SetFileTime,    // setting a file's last-write time
  StartProcess,   // starting a program (and waiting for it, where the caller does)
  WebRequest,     // a call of the web client or certificate functions of Windows (WinHTTP, crypt32)
};

// What happens to the struck call.
struct Fault {
  enum class Kind {
    Error,         // the call fails with error and does nothing
    LastingError,  // as Error, for this call and every later one
    Interruption,  // the call is interrupted before it does anything; Read and Write only
    ShortTransfer, // the call moves at most `bytes` (at least one); Read and Write only
  };

  static Fault Error(std::errc error) { return {Kind::Error, error, 0}; }
  static Fault LastingError(std::errc error) { return {Kind::LastingError, error, 0}; }
  static Fault Interruption() { return {Kind::Interruption, std::errc::interrupted, 0}; }
  static Fault ShortTransfer(std::size_t bytes) { return {Kind::ShortTransfer, {}, bytes}; }

  Kind kind;
  std::errc error;
  std::size_t bytes;
};

// Arms fault for the call of operation that follows the next `passing` ones; withdraws it when
// destroyed. Throws std::invalid_argument for a fault the operation cannot have.
class ScopedFault {
public:
  ScopedFault(Operation operation, Fault fault, unsigned passing = 0);
  ScopedFault(const ScopedFault&) = delete;
  ScopedFault& operator=(const ScopedFault&) = delete;
  ~ScopedFault();

  // True once the fault has struck.
  bool Injected() const { return injected_; }

private:
  friend class FaultRegistry;

  Operation operation_;
  Fault fault_;
  unsigned passing_;
  bool injected_ = false;
};

} // namespace kiv::platform::testing
