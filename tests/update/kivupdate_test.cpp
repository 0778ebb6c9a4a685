// kivupdate: each kind fetched from the local server, and a refused certificate.
#include "platform/testing/ChildProcess.h"
#include "testing/https/UpdateServerFixture.h"
#include "testing/support/ScopedEnvironment.h"

namespace kiv {
namespace {

using platform::testing::RunChild;

const std::string& kEnd = platform::testing::kStreamLineEnd;
using test::Bytes;
using test::ReadFile;

struct CommandCase {
  const char* kind;
  std::vector<std::string> archive;
  std::vector<std::pair<std::string, std::string>> files; // server path, local name
};

void PrintTo(const CommandCase& command, std::ostream* out) {
  *out << command.kind;
}

class KivUpdate : public test::UpdateServerTest,
                  public ::testing::WithParamInterface<CommandCase> {};

TEST_P(KivUpdate, FetchesTheKindQuietlyWhenNotOnATerminal) {
  const CommandCase& command = GetParam();
  for (size_t i = 0; i < command.files.size(); ++i)
    Serve(command.files[i].first, Bytes(120000 + i, static_cast<unsigned>(i)));
  std::vector<std::string> arguments = {
      "--server",  Settings().serverAddress, "--ca", Server().CaFile(), "--dir", Folder(),
      command.kind};
  arguments.insert(arguments.end(), command.archive.begin(), command.archive.end());

  const platform::testing::ChildResult result = RunChild(KIV_KIVUPDATE, arguments);

  EXPECT_EQ(result.exitCode, 0) << result.standardError;
  EXPECT_EQ(result.standardOutput, "");
  EXPECT_EQ(result.standardError, "");
  for (size_t i = 0; i < command.files.size(); ++i)
    EXPECT_EQ(ReadFile(Folder() + command.files[i].second),
              Bytes(120000 + i, static_cast<unsigned>(i)))
        << command.files[i].second;
}

const CommandCase kCommands[] = {
    {"UpdZel",
     {},
     {{"KivSoftware/Update/Upd.ex_", "Upd.exe"},
      {"KivSoftware/Update/libeay32.dl_", "libeay32.dll"},
      {"KivSoftware/Update/ssleay32.dl_", "ssleay32.dll"}}},
    {"UpdZel_NoUAC",
     {},
     {{"KivSoftware/Update/UpdNoUAC.ex_", "UpdNoUAC.exe"},
      {"KivSoftware/Update/libeay32.dl_", "libeay32.dll"},
      {"KivSoftware/Update/ssleay32.dl_", "ssleay32.dll"}}},
    {"UnzipProgram", {}, {{"KivSoftware/Update/unzip.ex_", "unzip.exe"}}},
    {"ZipFile", {"Kiv 7.2.zip"}, {{"Release/Kiv 7.2.zip", "Kiv 7.2.zip"}}},
};

INSTANTIATE_TEST_SUITE_P(Update, KivUpdate, ::testing::ValuesIn(kCommands),
                         [](const auto& row) { return std::string(row.param.kind); });

using KivUpdateRefusal = test::UpdateServerTest;

TEST_F(KivUpdateRefusal, WrongCertificateEndsWithCodeOneAndThePartsMessage) {
  Serve("KivSoftware/Update/Upd.ex_", Bytes(120000, 1));
  const platform::testing::ChildResult result =
      RunChild(KIV_KIVUPDATE, {"--server", Server().Address("unknownca"), "--ca", Server().CaFile(),
                               "--dir", Folder(), "UpdZel"});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.standardError.substr(0, result.standardError.find('\n') + 1),
            "kivupdate: error: Error downloading Upd.ex_" + platform::testing::kStreamLineEnd);
  EXPECT_EQ(result.standardOutput, "");
  EXPECT_EQ(Files(), std::vector<std::string>{});
}

TEST_F(KivUpdateRefusal, AMissingFolderIsRefusedBeforeAnythingIsFetched) {
  Serve("KivSoftware/Update/Upd.ex_", Bytes(120000, 1));
  const std::string missing = Folder() + "missing";
  const platform::testing::ChildResult result =
      RunChild(KIV_KIVUPDATE, {"--server", Settings().serverAddress, "--ca", Server().CaFile(),
                               "--dir", missing, "UpdZel"});
  EXPECT_EQ(result.exitCode, 2);
  EXPECT_EQ(result.standardError, "kivupdate: error: --dir: Directory does not exist: " + missing +
                                      " (kivupdate --help says more)" + kEnd);
  EXPECT_EQ(result.standardOutput, "");
  EXPECT_EQ(Requests(), "");
}

TEST_F(KivUpdateRefusal, WithoutAServerItSaysHowToGiveOne) {
  const std::string refusal =
      "kivupdate: error: --server: No update server is configured: give its address with --server "
      "URL, or build with KIV_UPDATE_SERVER set to it (kivupdate --help says more)" +
      kEnd;
  std::vector<std::vector<std::string>> serverArguments = {{"--server", ""}};
  // This build's own setting, where it has none.
  if (std::string_view(KIV_BUILD_UPDATE_SERVER).empty())
    serverArguments.push_back({});
  for (std::vector<std::string> arguments : serverArguments) {
    arguments.insert(arguments.end(), {"--dir", Folder(), "UpdZel"});
    const platform::testing::ChildResult result = RunChild(KIV_KIVUPDATE, arguments);
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.standardError, refusal);
    EXPECT_EQ(result.standardOutput, "");
  }
  EXPECT_EQ(Files(), std::vector<std::string>{});
}

// A build with a server of its own fetches from it without --server and shows it in the help.
TEST_F(KivUpdateRefusal, AConfiguredServerIsTheDefaultAndTheHelpNamesIt) {
  Serve("KivSoftware/Update/unzip.ex_", Bytes(150000, 4));
  const test::ScopedEnvironment server("KIV_TEST_UPDATE_SERVER", Settings().serverAddress);
  const platform::testing::ChildResult help = RunChild(KIV_KIVUPDATE_CONFIGURED, {"--help"});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_NE(help.standardOutput.find("--server TEXT=" + Settings().serverAddress),
            std::string::npos)
      << help.standardOutput;
  const platform::testing::ChildResult result = RunChild(
      KIV_KIVUPDATE_CONFIGURED, {"--ca", Server().CaFile(), "--dir", Folder(), "UnzipProgram"});
  EXPECT_EQ(result.exitCode, 0) << result.standardError;
  EXPECT_EQ(result.standardError, "");
  EXPECT_EQ(ReadFile(Folder() + "unzip.exe"), Bytes(150000, 4));
}

TEST(KivUpdateHelp, NamesTheBuildsSettingsOrWhatTheirAbsenceMeans) {
  const platform::testing::ChildResult result = RunChild(KIV_KIVUPDATE, {"--help"});
  EXPECT_EQ(result.exitCode, 0);
  const std::string server = std::string_view(KIV_BUILD_UPDATE_SERVER).empty()
                                 ? "this build has none (KIV_UPDATE_SERVER), so it must be given"
                                 : "--server TEXT=" KIV_BUILD_UPDATE_SERVER;
  EXPECT_NE(result.standardOutput.find(server), std::string::npos) << result.standardOutput;
  // No option shows an empty default.
  for (const char* emptyDefault : {"TEXT= ", "TEXT=\n"})
    EXPECT_EQ(result.standardOutput.find(emptyDefault), std::string::npos) << result.standardOutput;
}

} // namespace
} // namespace kiv
