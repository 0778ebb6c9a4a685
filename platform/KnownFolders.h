#pragma once

// Platform service: the shell's special folders.

#include <optional>
#include <string>

namespace kiv::platform {

// Shell folder identifiers the framework asks for (Windows CSIDL numbers).
inline constexpr int kFolderPersonal = 5;      // the user's documents
inline constexpr int kFolderLocalAppData = 28; // the user's local application data
inline constexpr int kFolderProgramFiles = 38; // installed programs
inline constexpr int kFolderSystemX86 = 41;    // 32-bit system programs

// The current path of shell folder id, without trailing separator: SHGetFolderPathW on Windows.
// On Linux, read from the environment on every call: documents from XDG_DOCUMENTS_DIR of
// $XDG_CONFIG_HOME/user-dirs.dirs (else $HOME/Documents); local application data is
// $XDG_CONFIG_HOME (else $HOME/.config), where settings belong; program files is /opt; system
// programs are /usr/bin. nullopt for any other id or when HOME is not set.
std::optional<std::string> ShellFolder(int id);

// The Windows folder (GetWindowsDirectoryW); on Linux /usr. No trailing separator.
std::string WindowsFolder();

// The system folder (GetSystemDirectoryW); on Linux /usr/bin. No trailing separator.
std::string SystemFolder();

// The user's temporary folder (GetTempPathW); on Linux $TMPDIR, else /tmp. No trailing separator.
std::string TemporaryFolder();

} // namespace kiv::platform
