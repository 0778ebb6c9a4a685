// The WinHTTP transfer with each of its calls failing in turn, through the fault seam.
#include "platform/testing/FaultInjection.h"
#include "testing/https/UpdateServerFixture.h"
#include "testing/support/Failure.h"
#include "update/HttpsTransfer.h"

#include <regex>

namespace kiv {
namespace {

using platform::testing::Fault;
using platform::testing::Operation;
using platform::testing::ScopedFault;
using test::Bytes;
using test::Expected;
using test::Failure;
using test::RaiseCauseOf;
using test::ReadFile;
using test::RecordedProgress;
using test::Replay;
using test::WriteFile;

using WinHttpFaults = test::UpdateServerTest;

// Every call fails once, one after the other, until the fetch makes no more calls than the ones
// let through: each failure is the download's, names its call and leaves the old file. The one
// failure survived is the refusal of TLS 1.3, which an older system gives: TLS 1.2 alone remains.
TEST_F(WinHttpFaults, EachFailingCallIsTheDownloadsFailureNamingTheCall) {
  Serve("KivSoftware/Update/unzip.ex_", Bytes(150000, 1));
  const std::regex namesItsCall("(WinHttp|Cert|Crypt)[A-Za-z]+: .+");
  std::vector<unsigned> survived;
  unsigned passing = 0;
  for (bool struck = true; struck; ++passing) {
    WriteFile(Folder() + "unzip.exe", "old unzip.exe");
    RecordedProgress progress;
    const ScopedFault fault(Operation::WebRequest, Fault::Error(std::errc::io_error), passing);
    const auto fetch =
        Replay([&] { FetchUpdate(Settings(), Folder(), TSoftware::UnzipProgram, "", progress); });
    struck = fault.Injected();
    if (Failure(fetch).first == "nothing") {
      if (struck)
        survived.push_back(passing);
      continue;
    }
    EXPECT_EQ(Failure(fetch), Expected("EPelo", "Error downloading Update Program")) << passing;
    try {
      RaiseCauseOf(fetch);
    } catch (const TransferFailure& cause) {
      EXPECT_TRUE(std::regex_match(cause.what(), namesItsCall)) << passing << ": " << cause.what();
    }
    EXPECT_EQ(ReadFile(Folder() + "unzip.exe"), "old unzip.exe") << passing;
  }
  EXPECT_EQ(survived.size(), 1u);
}

} // namespace
} // namespace kiv
