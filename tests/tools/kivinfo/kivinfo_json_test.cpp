// kivinfo --json: the facts as one object, a member a line, text escaped as JSON.
#include "tools/kivinfo/KivinfoCommand.h"

#include <gtest/gtest.h>

namespace kiv {
namespace {

TEST(KivinfoJson, OneMemberALineAndArraysOnTheirLine) {
  TComputerFacts facts;
  facts.Executable = "C:\\kiv\\kivinfo.exe";
  facts.Parameters = {"--json", "say \"x\""};
  facts.OsVersion = "Windows 10";
  facts.ComputerName = "n/a!";
  facts.LoginName = "survey";
  facts.CpuCount = 8;
  facts.ActiveCpuCount = 4;
  facts.NetName = "field-pc";
  facts.MacAddress = "00-11-22-33-44-55";
  facts.Drives = {"C:\\"};
  EXPECT_EQ(ComputerFactsJson(facts), "{\n"
                                      "  \"executable\": \"C:\\\\kiv\\\\kivinfo.exe\",\n"
                                      "  \"parameters\": [\"--json\", \"say \\\"x\\\"\"],\n"
                                      "  \"osVersion\": \"Windows 10\",\n"
                                      "  \"computerName\": \"n/a!\",\n"
                                      "  \"loginName\": \"survey\",\n"
                                      "  \"cpuCount\": 8,\n"
                                      "  \"activeCpuCount\": 4,\n"
                                      "  \"netName\": \"field-pc\",\n"
                                      "  \"macAddress\": \"00-11-22-33-44-55\",\n"
                                      "  \"drives\": [\"C:\\\\\"],\n"
                                      "  \"netDrives\": []\n"
                                      "}\n");
}

} // namespace
} // namespace kiv
