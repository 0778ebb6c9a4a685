#pragma once

// The interface through which a running transfer reports its progress.

#include <cstdint>

namespace kiv {

// What a running transfer tells its watcher. Each call may run window events or anything else; a
// failure it raises ends the transfer and is raised again by the transfer once the system's web
// client is left.
class TransferProgress {
public:
  virtual ~TransferProgress() = default;

  // The body starts; announcedTotal is the length the server announced, -1 when it announced none.
  virtual void WorkBegin(std::int64_t announcedTotal) = 0;
  // received bytes of the body have arrived; called with 0 right after WorkBegin.
  virtual void Work(std::int64_t received) = 0;
  // The body has ended, whole or not; called once for every WorkBegin.
  virtual void WorkEnd() = 0;
  // Asked while the transfer runs: true ends it. libcurl asks also while it waits for data;
  // WinHTTP, which waits inside a blocking read, asks before each request and after each piece.
  virtual bool AbortRequested() = 0;
};

} // namespace kiv
