# The Windows build: merrowin.exe, its Win32 layer and the tests that run
# under Wine.
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)

file(GLOB MERROWIN_WIN_SOURCES CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/common/win/*.cpp
  ${PROJECT_SOURCE_DIR}/app/win/*.cpp
  ${PROJECT_SOURCE_DIR}/usage/win/*.cpp
  ${PROJECT_SOURCE_DIR}/render/win/*.cpp
  ${PROJECT_SOURCE_DIR}/settings/win/*.cpp)
list(FILTER MERROWIN_WIN_SOURCES EXCLUDE REGEX "/app/win/main\\.cpp$")
set(MERROWIN_WIN_LIBS gdi32 user32 comctl32 comdlg32 shell32 ole32 advapi32 imm32)

add_library(merrowin_win STATIC ${MERROWIN_WIN_SOURCES})
target_link_libraries(merrowin_win PUBLIC merrowin_core ${MERROWIN_WIN_LIBS})
# The unit tests also check the thin Win32 pieces that only Wine can run.
target_link_libraries(unit_tests PRIVATE merrowin_win)

add_executable(merrowin WIN32 ${PROJECT_SOURCE_DIR}/app/win/main.cpp)
target_link_options(merrowin PRIVATE -municode)
target_link_libraries(merrowin PRIVATE merrowin_win)

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

include(${PROJECT_SOURCE_DIR}/tests/e2e/e2e.cmake OPTIONAL)

# The release archive, merrowin-<version>-win32.zip:
#   cmake --build --preset windows --target package
install(TARGETS merrowin RUNTIME DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/docs/README-windows.txt DESTINATION . RENAME README.txt)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_FILE_NAME merrowin-${PROJECT_VERSION}-win32)
include(CPack)
