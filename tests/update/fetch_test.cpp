// The fetch logic against the local HTTPS server: every kind, the size floor, and every refusal
// leaving the old files as they were and no temporary behind.
#include "core/FormatSettings.h"
#include "platform/testing/FaultInjection.h"
#include "testing/https/UpdateServerFixture.h"
#include "testing/support/Failure.h"
#include "update/HttpsTransfer.h"

namespace kiv {
namespace {

using test::Bytes;
using test::Expected;
using test::Failure;
using test::RaiseCauseOf;
using test::ReadFile;
using test::RecordedProgress;
using test::Replay;
using test::WriteFile;

// A file of a kind: where the server keeps it and the name it is stored under.
struct KindFile {
  std::string serverPath;
  std::string localName;
};

struct KindCase {
  const char* name;
  TSoftware software;
  std::string archive;
  std::vector<KindFile> files; // in download order
  std::string firstRequest;    // the first path requested, as sent
};

void PrintTo(const KindCase& kind, std::ostream* out) {
  *out << kind.name;
}

const KindCase kKinds[] = {
    {"UpdZel",
     TSoftware::UpdZel,
     "",
     {{"KivSoftware/Update/Upd.ex_", "Upd.exe"},
      {"KivSoftware/Update/libeay32.dl_", "libeay32.dll"},
      {"KivSoftware/Update/ssleay32.dl_", "ssleay32.dll"}},
     "/KivSoftware/Update/Upd.ex_"},
    {"UpdZel_NoUAC",
     TSoftware::UpdZel_NoUAC,
     "",
     {{"KivSoftware/Update/UpdNoUAC.ex_", "UpdNoUAC.exe"},
      {"KivSoftware/Update/libeay32.dl_", "libeay32.dll"},
      {"KivSoftware/Update/ssleay32.dl_", "ssleay32.dll"}},
     "/KivSoftware/Update/UpdNoUAC.ex_"},
    {"UnzipProgram",
     TSoftware::UnzipProgram,
     "",
     {{"KivSoftware/Update/unzip.ex_", "unzip.exe"}},
     "/KivSoftware/Update/unzip.ex_"},
    {"ZipFile",
     TSoftware::ZipFile,
     "Kiv 2026 #1%.zip",
     {{"Release/Kiv 2026 #1%.zip", "Kiv 2026 #1%.zip"}},
     "/Release/Kiv%202026%20%231%25.zip"},
};

std::string Replaced(std::string text, std::string_view placeholder, const std::string& value) {
  if (const size_t at = text.find(placeholder); at != std::string::npos)
    text.replace(at, placeholder.size(), value);
  return text;
}

// The paths the server was asked for, in order.
std::vector<std::string> RequestedPaths(const std::string& requests) {
  std::vector<std::string> paths;
  const std::string key = "{\"path\": \"";
  for (size_t at = requests.find(key); at != std::string::npos; at = requests.find(key, at)) {
    at += key.size();
    paths.push_back(requests.substr(at, requests.find('"', at) - at));
  }
  return paths;
}

// Each file's progress in short: its first two calls, its last count and its end; a count that
// goes back shows as "backwards".
std::vector<std::vector<std::string>> Outline(const std::vector<std::string>& events) {
  std::vector<std::vector<std::string>> outline;
  std::vector<std::string> file;
  long long last = -1;
  for (const std::string& event : events) {
    if (event.starts_with("work ")) {
      const long long count = std::stoll(event.substr(5));
      if (count < last)
        file.push_back("backwards");
      last = count;
    }
    file.push_back(event);
    if (event == "end") {
      outline.push_back({file[0], file.at(1), file.at(file.size() - 2), file.back()});
      file.clear();
      last = -1;
    }
  }
  return outline;
}

class FetchKinds : public test::UpdateServerTest, public ::testing::WithParamInterface<KindCase> {};

TEST_P(FetchKinds, EveryFileArrivesWholeUnderItsLocalNameInOrder) {
  const KindCase& kind = GetParam();
  std::vector<std::string> expectedNames;
  std::vector<std::string> expectedPaths;
  std::vector<std::vector<std::string>> expectedOutline;
  for (size_t i = 0; i < kind.files.size(); ++i) {
    const size_t size = 250000 + i;
    Serve(kind.files[i].serverPath, Bytes(size, static_cast<unsigned>(i)));
    WriteFile(Folder() + kind.files[i].localName, "old " + kind.files[i].localName);
    expectedNames.push_back(kind.files[i].localName);
    expectedOutline.push_back(
        {"begin " + std::to_string(size), "work 0", "work " + std::to_string(size), "end"});
  }
  std::sort(expectedNames.begin(), expectedNames.end());
  RecordedProgress progress;

  FetchUpdate(Settings(), Folder(), kind.software, kind.archive, progress);

  EXPECT_EQ(Files(), expectedNames);
  for (size_t i = 0; i < kind.files.size(); ++i)
    EXPECT_EQ(ReadFile(Folder() + kind.files[i].localName),
              Bytes(250000 + i, static_cast<unsigned>(i)))
        << kind.files[i].localName;
  const std::vector<std::string> paths = RequestedPaths(Requests());
  ASSERT_EQ(paths.size(), kind.files.size());
  EXPECT_EQ(paths[0], kind.firstRequest);
  EXPECT_EQ(Outline(progress.events), expectedOutline);
}

INSTANTIATE_TEST_SUITE_P(Update, FetchKinds, ::testing::ValuesIn(kKinds),
                         [](const auto& row) { return std::string(row.param.name); });

using FetchUpdateTest = test::UpdateServerTest;

// The files of UpdZel as served in the refusal tests, and their old versions in the folder.
class FetchRefusals : public test::UpdateServerTest {
protected:
  void SetUp() override {
    Serve("KivSoftware/Update/Upd.ex_", Bytes(200000, 1));
    Serve("KivSoftware/Update/libeay32.dl_", Bytes(210000, 2));
    Serve("KivSoftware/Update/ssleay32.dl_", Bytes(300000, 3));
    for (const char* name : {"Upd.exe", "libeay32.dll", "ssleay32.dll"})
      WriteFile(Folder() + name, std::string("old ") + name);
  }
  // True when the folder holds the old files alone, unchanged.
  void ExpectOldFilesAlone() const {
    EXPECT_EQ(Files(), (std::vector<std::string>{"Upd.exe", "libeay32.dll", "ssleay32.dll"}));
    for (const char* name : {"Upd.exe", "libeay32.dll", "ssleay32.dll"})
      EXPECT_EQ(ReadFile(Folder() + name), std::string("old ") + name);
  }
};

TEST_F(FetchUpdateTest, RequestCarriesTheUpdateClientsHeaders) {
  Serve("KivSoftware/Update/unzip.ex_", Bytes(100001, 1));
  RecordedProgress progress;
  FetchUpdate(Settings(), Folder(), TSoftware::UnzipProgram, "", progress);
  const std::string requests = Requests();
  EXPECT_NE(requests.find("\"Accept\": \"text/html, */*\""), std::string::npos) << requests;
  EXPECT_NE(requests.find("\"Content-Type\": \"text/html; charset=ISO-8859-1\""), std::string::npos)
      << requests;
  EXPECT_NE(requests.find("\"User-Agent\": \"Mozilla/3.0 (compatible; Indy Library)\""),
            std::string::npos)
      << requests;
}

TEST_F(FetchUpdateTest, FileMustHaveMoreThan100000BytesWhateverTheSeparators) {
  const FormatSettings before = ProcessFormats();
  ProcessFormats().ThousandSeparator = '.';
  ProcessFormats().DecimalSeparator = ',';
  Serve("KivSoftware/Update/libeay32.dl_", Bytes(200000, 2));
  Serve("KivSoftware/Update/ssleay32.dl_", Bytes(200000, 3));
  RecordedProgress progress;

  Serve("KivSoftware/Update/Upd.ex_", Bytes(100000, 1));
  EXPECT_EQ(Failure([&] { FetchUpdate(Settings(), Folder(), TSoftware::UpdZel, "", progress); }),
            Expected("EPelo", "Error downloading Upd.ex_"));
  EXPECT_EQ(Files(), std::vector<std::string>{});

  Serve("KivSoftware/Update/Upd.ex_", Bytes(100001, 1));
  FetchUpdate(Settings(), Folder(), TSoftware::UpdZel, "", progress);
  EXPECT_EQ(ReadFile(Folder() + "Upd.exe"), Bytes(100001, 1));
  EXPECT_EQ(ProcessFormats().ThousandSeparator, '.');
  EXPECT_EQ(ProcessFormats().DecimalSeparator, ',');
  ProcessFormats() = before;
}

TEST_F(FetchUpdateTest, HttpsRedirectsAreFollowedToAnAddressAPathAndANameInTheFolder) {
  Serve("KivSoftware/Final.ex_", Bytes(150000, 1));
  Behave(R"({"/KivSoftware/Update/unzip.ex_": {"location": ")" + Settings().serverAddress +
         R"(Moved/unzip.ex_"}, "/Moved/unzip.ex_": {"location": "/KivSoftware/Update/Moved.ex_"},
             "/KivSoftware/Update/Moved.ex_": {"location": "../Final.ex_"}})");
  RecordedProgress progress;
  FetchUpdate(Settings(), Folder(), TSoftware::UnzipProgram, "", progress);
  EXPECT_EQ(ReadFile(Folder() + "unzip.exe"), Bytes(150000, 1));
  EXPECT_EQ(RequestedPaths(Requests()),
            (std::vector<std::string>{"/KivSoftware/Update/unzip.ex_", "/Moved/unzip.ex_",
                                      "/KivSoftware/Update/Moved.ex_", "/KivSoftware/Final.ex_"}));
}

// A refusal of the server, its certificate or its answer.
struct Refusal {
  const char* name;
  const char* listener;
  std::string behaviour; // for ssleay32.dl_; PLAIN and GOOD stand for the listeners' addresses
  std::int64_t sizeCap;  // 0: the default
  const char* message;
  TransferError error;
  const char* reason; // our own reason's text; empty where it is the web client's
};

void PrintTo(const Refusal& refusal, std::ostream* out) {
  *out << refusal.name;
}

const Refusal kRefusals[] = {
    {"UnknownAuthority", "unknownca", "", 0, "Error downloading Upd.ex_",
     TransferError::Certificate, ""},
    {"WrongHostName", "wronghost", "", 0, "Error downloading Upd.ex_", TransferError::Certificate,
     ""},
    {"Expired", "expired", "", 0, "Error downloading Upd.ex_", TransferError::Certificate, ""},
    {"SelfSigned", "selfsigned", "", 0, "Error downloading Upd.ex_", TransferError::Certificate,
     ""},
    {"PlainHttp", "plain", "", 0, "Error downloading Upd.ex_", TransferError::Protocol, ""},
    {"RedirectToHttp", "good", R"({"location": "PLAIN/KivSoftware/Update/ssleay32.dl_"})", 0,
     "Error downloading ssleay32.dl_", TransferError::Protocol, ""},
    {"EndlessRedirects", "good", R"({"location": "GOOD/KivSoftware/Update/ssleay32.dl_"})", 0,
     "Error downloading ssleay32.dl_", TransferError::Redirects, ""},
    {"NotFound", "good", R"({"status": 404})", 0, "Error downloading ssleay32.dl_",
     TransferError::Status, "The server answered with status 404"},
    {"ServerError", "good", R"({"status": 500})", 0, "Error downloading ssleay32.dl_",
     TransferError::Status, "The server answered with status 500"},
    {"ShorterThanAnnounced", "good", R"({"send": 150000})", 0, "Error downloading ssleay32.dl_",
     TransferError::Length, ""},
    {"BeyondTheCapAnnounced", "good", "", 250000, "Error downloading ssleay32.dl_",
     TransferError::SizeCap, ""},
    {"BeyondTheCapUnannounced", "good", R"({"length": null})", 250000,
     "Error downloading ssleay32.dl_", TransferError::SizeCap,
     "The body is larger than the size cap of 250000 bytes"},
    {"Stalled", "good", R"({"send": 120000, "stall": true})", 0, "Error downloading ssleay32.dl_",
     TransferError::TimedOut, ""},
};

class FetchRefused : public FetchRefusals, public ::testing::WithParamInterface<Refusal> {};

TEST_P(FetchRefused, LeavesTheOldFilesAndNoTemporary) {
  const Refusal& refusal = GetParam();
  const std::string behaviour =
      Replaced(Replaced(refusal.behaviour, "PLAIN/", Server().Address("plain")), "GOOD/",
               Server().Address("good"));
  if (!behaviour.empty())
    Behave(R"({"/KivSoftware/Update/ssleay32.dl_": )" + behaviour + "}");
  UpdateSettings settings = Settings(refusal.listener);
  if (refusal.sizeCap > 0)
    settings.sizeCap = refusal.sizeCap;
  // Only the stalled transfer waits for its time-out; on the others a short one could turn the
  // refusal into a time-out on a busy machine.
  if (refusal.error == TransferError::TimedOut)
    settings.readTimeout = std::chrono::seconds(1);
  RecordedProgress progress;
  const auto fetch =
      Replay([&] { FetchUpdate(settings, Folder(), TSoftware::UpdZel, "", progress); });

  EXPECT_EQ(Failure(fetch), Expected("EPelo", refusal.message));
  try {
    RaiseCauseOf(fetch);
  } catch (const TransferFailure& cause) {
    EXPECT_EQ(cause.Error(), refusal.error) << cause.what();
    if (*refusal.reason != '\0') {
      EXPECT_STREQ(cause.what(), refusal.reason);
    }
  }
  ExpectOldFilesAlone();
}

INSTANTIATE_TEST_SUITE_P(Update, FetchRefused, ::testing::ValuesIn(kRefusals),
                         [](const auto& row) { return std::string(row.param.name); });

// Without an authority of its own the system's store decides, and it knows nothing of the test's
// authority; an authority file that cannot be read trusts nothing.
TEST_F(FetchRefusals, ServerIsRefusedByTheSystemsStoreAndByAMissingAuthorityFile) {
  for (const std::string& caFile : {std::string(), Folder() + "missing.pem"}) {
    UpdateSettings settings = Settings();
    settings.caFile = caFile;
    RecordedProgress progress;
    const auto fetch =
        Replay([&] { FetchUpdate(settings, Folder(), TSoftware::UpdZel, "", progress); });
    EXPECT_EQ(Failure(fetch), Expected("EPelo", "Error downloading Upd.ex_")) << caFile;
    try {
      RaiseCauseOf(fetch);
    } catch (const TransferFailure& cause) {
      EXPECT_EQ(cause.Error(), TransferError::Certificate) << caFile << ": " << cause.what();
    }
    EXPECT_EQ(progress.events, std::vector<std::string>{}) << caFile;
    ExpectOldFilesAlone();
  }
}

// The server by its host name instead of its IP address: the name is checked as the address is.
TEST_F(FetchRefusals, ServerNamedByItsHostNameIsCheckedByThatName) {
  UpdateSettings settings = Settings("wronghost");
  settings.serverAddress = Replaced(settings.serverAddress, "127.0.0.1", "localhost");
  RecordedProgress progress;
  const auto fetch =
      Replay([&] { FetchUpdate(settings, Folder(), TSoftware::UpdZel, "", progress); });
  EXPECT_EQ(Failure(fetch), Expected("EPelo", "Error downloading Upd.ex_"));
  try {
    RaiseCauseOf(fetch);
  } catch (const TransferFailure& cause) {
    EXPECT_EQ(cause.Error(), TransferError::Certificate) << cause.what();
  }
  ExpectOldFilesAlone();

  settings.serverAddress = Replaced(Settings().serverAddress, "127.0.0.1", "localhost");
  FetchUpdate(settings, Folder(), TSoftware::UpdZel, "", progress);
  EXPECT_EQ(ReadFile(Folder() + "ssleay32.dll"), Bytes(300000, 3));
}

TEST_F(FetchRefusals, AbortEndsTheTransfer) {
  RecordedProgress progress;
  progress.onWork = [&] { progress.abort = true; };
  const auto fetch =
      Replay([&] { FetchUpdate(Settings(), Folder(), TSoftware::UpdZel, "", progress); });
  EXPECT_EQ(Failure(fetch), Expected("EPelo", "Error downloading Upd.ex_"));
  try {
    RaiseCauseOf(fetch);
  } catch (const TransferFailure& cause) {
    EXPECT_EQ(cause.Error(), TransferError::Aborted);
    EXPECT_STREQ(cause.what(), "The download was aborted");
  }
  EXPECT_EQ(progress.events.back(), "end");
  ExpectOldFilesAlone();
}

TEST_F(FetchRefusals, FailureOfTheProgressEndsTheTransferAndIsItsCause) {
  RecordedProgress progress;
  progress.onWork = [] { throw std::runtime_error("window gone"); };
  try {
    RaiseCauseOf([&] { FetchUpdate(Settings(), Folder(), TSoftware::UpdZel, "", progress); });
  } catch (const std::runtime_error& cause) {
    EXPECT_STREQ(cause.what(), "window gone");
  }
  EXPECT_EQ(progress.events, (std::vector<std::string>{"begin 200000", "work 0", "end"}));
  ExpectOldFilesAlone();
}

TEST_F(FetchRefusals, SecondFetchInsideAProgressNotificationFailsAndTheFirstGoesOn) {
  RecordedProgress inner;
  RecordedProgress outer;
  std::pair<std::string, std::string> innerFailure;
  bool tried = false;
  outer.onWork = [&] {
    if (std::exchange(tried, true))
      return;
    innerFailure =
        Failure([&] { FetchUpdate(Settings(), Folder(), TSoftware::UnzipProgram, "", inner); });
  };
  FetchUpdate(Settings(), Folder(), TSoftware::UpdZel, "", outer);
  EXPECT_EQ(innerFailure, Expected("EPelo", "An update download is already running"));
  EXPECT_EQ(inner.events, std::vector<std::string>{});
  EXPECT_EQ(ReadFile(Folder() + "ssleay32.dll"), Bytes(300000, 3));
}

TEST_F(FetchRefusals, MissingDownloadFolderFetchesNothing) {
  RecordedProgress progress;
  const std::string missing = Folder() + "missing/";
  const auto fetch =
      Replay([&] { FetchUpdate(Settings(), missing, TSoftware::UpdZel, "", progress); });
  EXPECT_EQ(Failure(fetch), Expected("EPelo", "Error downloading Upd.ex_"));
  try {
    RaiseCauseOf(fetch);
  } catch (const std::system_error& cause) {
    EXPECT_EQ(cause.code(), std::errc::no_such_file_or_directory);
  }
  EXPECT_EQ(Requests(), "");
  ExpectOldFilesAlone();
}

TEST_F(FetchRefusals, UnknownKindIsRefused) {
  RecordedProgress progress;
  EXPECT_EQ(
      Failure([&] { FetchUpdate(Settings(), Folder(), static_cast<TSoftware>(4), "", progress); }),
      Expected("EPelo", "Software update by WWW not implemented for this Software"));
  EXPECT_EQ(Requests(), "");
}

// A target that cannot be replaced: the files before it are in place, it and the rest are old.
struct PlaceFailure {
  const char* name;
  TSoftware software;
  const char* archive;
  unsigned renamesBefore;
  std::vector<std::string> replaced; // the targets that got their new bytes
  std::string message;               // {dir} stands for the download folder
};

void PrintTo(const PlaceFailure& failure, std::ostream* out) {
  *out << failure.name;
}

class FetchPlaceFailures : public test::UpdateServerTest,
                           public ::testing::WithParamInterface<PlaceFailure> {};

TEST_P(FetchPlaceFailures, LaterTargetsStayOldAndNoTemporaryIsLeft) {
  const PlaceFailure& failure = GetParam();
  const std::vector<std::pair<std::string, std::string>> files = {
      {"KivSoftware/Update/Upd.ex_", "Upd.exe"},
      {"KivSoftware/Update/libeay32.dl_", "libeay32.dll"},
      {"KivSoftware/Update/ssleay32.dl_", "ssleay32.dll"},
      {"KivSoftware/Update/unzip.ex_", "unzip.exe"},
      {"Release/Kiv.zip", "Kiv.zip"}};
  std::vector<std::string> names;
  for (const auto& [path, name] : files) {
    Serve(path, Bytes(150000, static_cast<unsigned>(name.size())));
    WriteFile(Folder() + name, "old " + name);
    names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  RecordedProgress progress;
  {
    platform::testing::ScopedFault refused(
        platform::testing::Operation::Rename,
        platform::testing::Fault::Error(std::errc::permission_denied), failure.renamesBefore);
    EXPECT_EQ(Failure([&] {
                FetchUpdate(Settings(), Folder(), failure.software, failure.archive, progress);
              }),
              Expected("EPelo", Replaced(failure.message, "{dir}", Folder())));
  }
  EXPECT_EQ(Files(), names);
  for (const auto& [path, name] : files) {
    const bool replaced =
        std::find(failure.replaced.begin(), failure.replaced.end(), name) != failure.replaced.end();
    EXPECT_EQ(ReadFile(Folder() + name),
              replaced ? Bytes(150000, static_cast<unsigned>(name.size())) : "old " + name)
        << name;
  }
}

const PlaceFailure kPlaceFailures[] = {
    {"UpdZelSecondLibrary",
     TSoftware::UpdZel,
     "",
     1,
     {"Upd.exe"},
     "Error renaming file to {dir}libeay32.dll"},
    {"UnzipProgram", TSoftware::UnzipProgram, "", 0, {}, "Error acessing files on disk"},
    {"ZipFile",
     TSoftware::ZipFile,
     "Kiv.zip",
     0,
     {},
     "Error downloading zip file with software update"},
};

INSTANTIATE_TEST_SUITE_P(Update, FetchPlaceFailures, ::testing::ValuesIn(kPlaceFailures),
                         [](const auto& row) { return std::string(row.param.name); });

} // namespace
} // namespace kiv
