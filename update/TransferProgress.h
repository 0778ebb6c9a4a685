#pragma once

// The interface through which a running transfer reports its progress.

#include <cstdint>

namespace kiv {

// What a running transfer tells its watcher. Each call may run window events or anything else; a
// failure it raises ends the transfer and is raised again by the transfer once libcurl is left.
class TransferProgress {
public:
  virtual ~TransferProgress() = default;

  // The body starts; announcedTotal is the length the server announced, -1 when it announced none.
  virtual void WorkBegin(std::int64_t announcedTotal) = 0;
  // received bytes of the body have arrived; called with 0 right after WorkBegin.
  virtual void Work(std::int64_t received) = 0;
  // The body has ended, whole or not; called once for every WorkBegin.
  virtual void WorkEnd() = 0;
  // Asked while the transfer runs, also while it waits for data: true ends it.
  virtual bool AbortRequested() = 0;
};

} // namespace kiv
