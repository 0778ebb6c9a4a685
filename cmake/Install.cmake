# Install rules. Component "command": VesmarInvChk, the content of the Debian package that
# scripts/package makes. Component "development": the suite's shared libraries, their public
# headers under include/kiv/<folder>/ and a CMake package, so that a program finds them with
# find_package(kiv) and links kiv::model, kiv::framework or, where Qt is there, the desktop
# framework kiv::framework_desktop. tests/install builds a small program against such a tree.
include(CMakePackageConfigHelpers)

set(KIV_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/kiv)

# kiv_install_library(<name> FOLDER <folder> HEADERS <header>...): installs the library kiv_<name>
# and the headers named, those of <folder> that a user of the library includes. The rest of the
# folder stays behind: the system-call wrappers and handles of posix/ and win32/, the seams of
# testing/, the toolkit's detail/ on Qt and the headers that only the library's sources include.
function(kiv_install_library name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" FOLDER HEADERS)
  set_target_properties(kiv_${name} PROPERTIES EXPORT_NAME ${name})
  install(TARGETS kiv_${name} EXPORT kivTargets ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
          COMPONENT development)
  list(TRANSFORM arg_HEADERS PREPEND ${PROJECT_SOURCE_DIR}/${arg_FOLDER}/)
  install(FILES ${arg_HEADERS} DESTINATION ${KIV_INSTALL_INCLUDEDIR}/${arg_FOLDER}
          COMPONENT development)
endfunction()

install(TARGETS VesmarInvChk RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT command)
if(WIN32)
  # The zip of the Windows programs says in a few lines what it holds, in Windows line ends.
  configure_file(${CMAKE_CURRENT_LIST_DIR}/README-windows.txt.in ${PROJECT_BINARY_DIR}/README.txt
                 @ONLY NEWLINE_STYLE CRLF)
  install(FILES ${PROJECT_BINARY_DIR}/README.txt DESTINATION . COMPONENT command)
endif()

kiv_install_library(platform FOLDER platform HEADERS
  AsciiText.h Clock.h CommandLine.h DebuggerOutput.h Directory.h FileHandle.h FileOperations.h
  FileSystem.h FolderEntries.h InputFile.h KnownFolders.h Network.h PathNames.h Process.h
  ProcessMemory.h RenameFile.h ReplacingFile.h Shell.h StandardOutput.h StreamFile.h
  SystemErrorText.h SystemInformation.h Terminal.h Ticks.h VersionResource.h Volumes.h)
kiv_install_library(settings_store FOLDER platform HEADERS SettingsStore.h)
# The heap of the programs that read whole model files; mimalloc under it where it was built so.
kiv_install_library(program_heap FOLDER platform/heap HEADERS ProgramHeap.h)
if(TARGET mimalloc)
  set(KIV_INSTALL_MIMALLOC ON)
else()
  set(KIV_INSTALL_MIMALLOC OFF)
endif()
kiv_install_library(core FOLDER core HEADERS
  ClassNames.h ColumnWriter.h DateTimeText.h DelimitedText.h Escalation.h Exceptions.h
  FileNames.h FormatSettings.h ModelRecords.h NumberFormat.h NumberParse.h PeloTypes_.h
  ProgramName.h RunningProgram.h TextFile.h TextScanner.h)
kiv_install_library(model FOLDER model HEADERS
  InversionGeneralTypes_.h LayerParams_.h ModFile_.h ModelTypeNames.h OlderLayout.h PeloCode_.h
  ReadProgress.h SparseFormats_.h comTypes_.h)
kiv_install_library(framework FOLDER framework/base HEADERS
  BitmapHeader.h Computer.h Debug.h DebugFlush.h Disk.h FileVersionText.h Information.h
  LogWindow.h Network.h OperatingSystem.h ProgressPercent.h Registry.h RunTimeName.h Tools.h
  User.h WindowServices.h)
# The desktop framework, where Qt is there: the toolkit's headers are free of Qt, its library
# links Qt Widgets, which kivConfig.cmake finds for the user.
if(TARGET kiv_toolkit)
  set(KIV_INSTALL_DESKTOP ON)
  kiv_install_library(toolkit FOLDER framework/toolkit HEADERS
    Appearance.h Application.h Canvas.h Clipboard.h Component.h ComponentGuard.h
    ComponentList.h Containers.h Control.h DesktopStartup.h Dialogs.h ExtraControls.h Form.h
    Geometry.h Grids.h IniFile.h Menus.h PageControl.h PaintBox.h Panel.h PathDisplay.h Printer.h
    ProgressBar.h RecentFiles.h Screen.h Splitter.h StandardControls.h StatusBar.h VirtualGrid.h)
  kiv_install_library(framework_desktop FOLDER framework/desktop HEADERS
    DesktopWindowServices.h Dialog.h DialogLogWindow.h FrameworkStartup.h KivForm_.h MY_.h My.h
    ProgressForm_.h UITools.h)
  kiv_install_library(form_registry FOLDER framework/formregistry HEADERS FormRegistry_.h)
else()
  set(KIV_INSTALL_DESKTOP OFF)
endif()
# The libraries name the warning set as a link-only dependency; it adds nothing to a consumer.
set_target_properties(kiv_warnings PROPERTIES EXPORT_NAME warnings)
install(TARGETS kiv_warnings EXPORT kivTargets)

install(EXPORT kivTargets NAMESPACE kiv:: DESTINATION ${KIV_INSTALL_CMAKEDIR}
        COMPONENT development)
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/kivConfig.cmake.in
                              ${PROJECT_BINARY_DIR}/kivConfig.cmake
                              INSTALL_DESTINATION ${KIV_INSTALL_CMAKEDIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/kivConfigVersion.cmake
                                 COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/kivConfig.cmake ${PROJECT_BINARY_DIR}/kivConfigVersion.cmake
        DESTINATION ${KIV_INSTALL_CMAKEDIR} COMPONENT development)
