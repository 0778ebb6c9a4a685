// A writer of the settings store for the tests that need other processes: several at once, one
// killed at a chosen commit or statement step, one under another user id.
//
//   write TAG COUNT          COUNT values under Load\TAG, one transaction each
//   acknowledge KILL COUNT   COUNT values under Ack, printing each one's number once committed;
//                            killed during commit number KILL
//   compound KILL            16 values under Position in one transaction; killed at step KILL
//   delete KILL              deletes the key Tree; killed at step KILL
//   read-machine USER        as user id USER, prints the machine hive's Software\Kiv "Text"

#include "platform/SettingsStore.h"
#include "platform/testing/SettingsStoreSeam.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <string>
#include <unistd.h>

namespace {

using kiv::platform::SettingsHive;
using kiv::platform::SettingsStore;
namespace seam = kiv::platform::testing;

long killAt = 0;
long counted = 0;

void CountAndMaybeDie() {
  if (++counted == killAt)
    std::raise(SIGKILL);
}

int Run(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  const long first = argc > 2 ? std::atol(argv[2]) : 0;
  const long second = argc > 3 ? std::atol(argv[3]) : 0;
  if (command == "read-machine") {
    if (setgid(static_cast<gid_t>(first)) != 0 || setuid(static_cast<uid_t>(first)) != 0)
      return 3;
    auto store = SettingsStore::Open(SettingsHive::LocalMachine);
    std::cout << store->ReadString("Software\\Kiv", "Text") << " " << store->Writable() << "\n";
    return 0;
  }
  auto store = SettingsStore::Open(SettingsHive::CurrentUser);
  killAt = first;
  if (command == "write") {
    for (long i = 0; i < second; ++i)
      store->WriteInteger(std::string("Load\\").append(argv[2]),
                          std::string("v").append(std::to_string(i)), static_cast<std::int32_t>(i));
  } else if (command == "acknowledge") {
    seam::settingsCommitHook = CountAndMaybeDie;
    for (long i = 0; i < second; ++i) {
      store->WriteInteger("Ack", std::string("v").append(std::to_string(i)),
                          static_cast<std::int32_t>(i));
      std::cout << i << std::endl;
    }
  } else if (command == "compound") {
    seam::settingsProgressHook = CountAndMaybeDie;
    kiv::platform::SettingsTransaction transaction(*store);
    for (int i = 0; i < 16; ++i)
      store->WriteInteger("Position", std::string("v").append(std::to_string(i)), i);
    transaction.Commit();
  } else if (command == "delete") {
    seam::settingsProgressHook = CountAndMaybeDie;
    store->DeleteKey("Tree");
  } else {
    return 2;
  }
  return 0;
}

} // namespace

int main(int argc, char** argv) {
  try {
    return Run(argc, argv);
  } catch (const std::exception& e) {
    std::cerr << e.what() << "\n";
    return 1;
  }
}
