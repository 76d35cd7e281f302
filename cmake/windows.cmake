# The Windows build: merrowin.exe, its Win32 layer and the tests that run
# under Wine.

# The Win32 layer: the win/ subfolder of each folder.
add_library(merrowin_win STATIC
  app/win/batch_window.cpp
  app/win/status_window.cpp
  app/win/win_platform.cpp
  common/win/clipboard.cpp
  common/win/controls.cpp
  common/win/form_window.cpp
  common/win/win_util.cpp
  maker/win/maker_platform.cpp
  maker/win/maker_window.cpp
  maker/win/picture_view.cpp
  settings/win/folder_picker.cpp
  settings/win/grid_edit.cpp
  settings/win/registry_settings.cpp
  settings/win/registry_store.cpp
  settings/win/settings_window.cpp
  usage/win/help_window.cpp
  usage/win/usage_window.cpp)
# The DLLs linked at build time. ole32 and shell32 (the folder picker) are
# loaded when first used, see LoadSystemFunction.
set(MERROWIN_WIN_LIBS gdi32 user32 comctl32 advapi32 imm32)
target_link_libraries(merrowin_win PUBLIC merrowin_core ${MERROWIN_WIN_LIBS} PRIVATE merrowin_options)
# The unit tests also check the thin Win32 pieces that only Wine can run.
target_link_libraries(unit_tests PRIVATE merrowin_win)

add_executable(merrowin WIN32 app/win/main.cpp)
target_link_options(merrowin PRIVATE -municode)
target_link_libraries(merrowin PRIVATE merrowin_win merrowin_options)

# Under Wine a test program has now and then been seen to crash on its way
# out after every test in it passed. wine-run.sh runs such a program once
# more when that happens (only then: a test that fails is not run again).
set_property(TARGET unit_tests PROPERTY CROSSCOMPILING_EMULATOR
  ${CMAKE_CROSSCOMPILING_EMULATOR} --retry-exit-crash)


# The exe's resources: icon, version information and the application
# manifest, whose version CMake writes in. windres finds the files named in
# the script through the include folders.
enable_language(RC)
set(MERROWIN_RESOURCES ${PROJECT_SOURCE_DIR}/app/win/resources)
configure_file(${MERROWIN_RESOURCES}/merrowin.manifest.in
               ${PROJECT_BINARY_DIR}/generated/merrowin.manifest @ONLY)
target_sources(merrowin PRIVATE ${MERROWIN_RESOURCES}/merrowin.rc)
target_include_directories(merrowin PRIVATE ${MERROWIN_RESOURCES})
set_source_files_properties(${MERROWIN_RESOURCES}/merrowin.rc PROPERTIES OBJECT_DEPENDS
  "${MERROWIN_RESOURCES}/merrowin.ico;${PROJECT_BINARY_DIR}/generated/merrowin.manifest")

# The release archive, merrowin-<version>-win32.zip:
#   cmake --build --preset windows --target package
install(TARGETS merrowin RUNTIME DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/docs/README-windows.txt DESTINATION . RENAME README.txt)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_FILE_NAME merrowin-${PROJECT_VERSION}-win32)
# The files lie at the top of the zip, so that unpacking it to
# C:\Tools\Merrowin gives C:\Tools\Merrowin\merrowin.exe, as README.txt says.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
include(CPack)

include(${PROJECT_SOURCE_DIR}/tests/e2e/e2e.cmake)
