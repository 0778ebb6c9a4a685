#include "update/HttpsTransfer.h"

#include "update/SystemTransfer.h"

#include <exception>
#include <string>
#include <utility>

namespace kiv {
namespace {

constexpr long kStatusOk = 200;

// The checks of one transfer, whichever system's web client runs it, and its progress calls.
class CheckedResponse final : public ResponseReceiver {
public:
  CheckedResponse(const TransferLimits& limits, const BodySink& sink, TransferProgress& progress)
      : limits_(limits), sink_(sink), progress_(progress) {}

  void Begin(long status, std::int64_t announcedLength) override {
    if (status != kStatusOk)
      throw TransferFailure(TransferError::Status, status,
                            "The server answered with status " + std::to_string(status));
    if (announcedLength > limits_.sizeCap)
      throw TransferFailure(TransferError::SizeCap, 0,
                            "The announced " + std::to_string(announcedLength) +
                                " bytes are beyond the size cap of " +
                                std::to_string(limits_.sizeCap) + " bytes");
    announced_ = announcedLength;
    progress_.WorkBegin(announced_);
    begun_ = true;
    progress_.Work(0);
  }

  void Receive(std::string_view bytes) override {
    if (static_cast<std::int64_t>(bytes.size()) > limits_.sizeCap - received_)
      throw TransferFailure(TransferError::SizeCap, 0,
                            "The body is larger than the size cap of " +
                                std::to_string(limits_.sizeCap) + " bytes");
    sink_(bytes);
    received_ += static_cast<std::int64_t>(bytes.size());
    progress_.Work(received_);
    CheckAbort();
  }

  // The watcher may have had an abort requested inside its last call.
  void CheckAbort() override {
    if (progress_.AbortRequested())
      throw TransferFailure(TransferError::Aborted, 0, "The download was aborted");
  }

  // Ends the transfer: the progress's end when its begin was told, the length check, and the
  // first failure of all raised again.
  std::int64_t Finish(std::exception_ptr failure) {
    const auto keep = [&](std::exception_ptr error) {
      if (!failure)
        failure = std::move(error);
    };
    if (begun_) {
      try {
        progress_.WorkEnd();
      } catch (...) {
        keep(std::current_exception());
      }
    }
    if (announced_ >= 0 && received_ != announced_)
      keep(std::make_exception_ptr(TransferFailure(TransferError::Length, 0,
                                                   "Received " + std::to_string(received_) +
                                                       " of " + std::to_string(announced_) +
                                                       " announced bytes")));
    if (failure)
      std::rethrow_exception(failure);
    return received_;
  }

private:
  const TransferLimits& limits_;
  const BodySink& sink_;
  TransferProgress& progress_;
  std::int64_t announced_ = -1;
  std::int64_t received_ = 0;
  bool begun_ = false;
};

} // namespace

std::int64_t HttpsGet(const std::string& address, const TransferLimits& limits,
                      const BodySink& sink, TransferProgress& progress) {
  CheckedResponse response(limits, sink, progress);
  std::exception_ptr failure;
  try {
    SystemHttpsGet(address, limits, response);
  } catch (...) {
    failure = std::current_exception();
  }
  return response.Finish(failure);
}

} // namespace kiv
