# End-to-end tests of merrowin.exe, run under Wine (or on Windows): a Win32
# test program that starts the exe, drives its windows and reads the file,
# the clipboard and the registry; and a real barcode reader (zbarimg) on
# rendered symbols.

# Renders an .emf into a BMP for the reader and for looking at by eye.
add_executable(emf2bmp tests/tools/emf2bmp.cpp tests/e2e/e2e_support.cpp)
target_include_directories(emf2bmp PRIVATE ${PROJECT_SOURCE_DIR})
target_link_options(emf2bmp PRIVATE -municode)
target_link_libraries(emf2bmp PRIVATE ${MERROWIN_WIN_LIBS} merrowin_options)
target_compile_definitions(emf2bmp PRIVATE MERROWIN_EXE_PATH="$<TARGET_FILE:merrowin>")

# Another program that keeps the clipboard open for a while.
add_executable(hold_clipboard tests/tools/hold_clipboard.cpp)
target_link_options(hold_clipboard PRIVATE -municode)
target_link_libraries(hold_clipboard PRIVATE merrowin_options)

add_executable(e2e_tests
  tests/e2e/batch_test.cpp
  tests/e2e/clipboard_test.cpp
  tests/e2e/e2e_support.cpp
  tests/e2e/error_test.cpp
  tests/e2e/fault_test.cpp
  tests/e2e/file_output_test.cpp
  tests/e2e/help_test.cpp
  tests/e2e/maker_window_test.cpp
  tests/e2e/pixel_test.cpp
  tests/e2e/settings_window_test.cpp
  tests/e2e/stored_settings_test.cpp)
target_link_libraries(e2e_tests PRIVATE merrowin_core merrowin_options GTest::gtest_main
                                        ${MERROWIN_WIN_LIBS} version)
target_compile_definitions(e2e_tests PRIVATE MERROWIN_EXE_PATH="$<TARGET_FILE:merrowin>"
  MERROWIN_HOLD_CLIPBOARD_PATH="$<TARGET_FILE:hold_clipboard>")
add_dependencies(e2e_tests merrowin hold_clipboard)
# The same retry as the unit tests' (cmake/windows.cmake): one more run only
# when the program crashed on its way out after its test passed.
set_property(TARGET e2e_tests PROPERTY CROSSCOMPILING_EMULATOR
  ${CMAKE_CROSSCOMPILING_EMULATOR} --retry-exit-crash)

# Every run touches the one clipboard and the one settings key of the
# user, so these tests never run at the same time as each other.
set(MERROWIN_E2E_LOCK merrowin_clipboard_and_registry)
# A folder that refuses new files even to root: immutable on the Linux side,
# made before the tests and released after them (a test that flipped the
# flag itself would race its own probes).
set(MERROWIN_LOCKED_FOLDER ${CMAKE_BINARY_DIR}/e2e-locked-folder)
add_test(NAME e2e.locked_folder.make COMMAND sh -c
  "chattr -i \"$0\" 2>/dev/null; rm -rf \"$0\" && mkdir -p \"$0\" && (chattr +i \"$0\" || true)"
  ${MERROWIN_LOCKED_FOLDER})
add_test(NAME e2e.locked_folder.release COMMAND sh -c
  "chattr -i \"$0\" 2>/dev/null; rm -rf \"$0\"" ${MERROWIN_LOCKED_FOLDER})
set_tests_properties(e2e.locked_folder.make PROPERTIES FIXTURES_SETUP locked_folder)
set_tests_properties(e2e.locked_folder.release PROPERTIES FIXTURES_CLEANUP locked_folder)

gtest_discover_tests(e2e_tests
  DISCOVERY_MODE PRE_TEST
  DISCOVERY_TIMEOUT 120
  TEST_PREFIX "e2e."
  PROPERTIES RESOURCE_LOCK ${MERROWIN_E2E_LOCK} TIMEOUT 120
             FIXTURES_REQUIRED locked_folder
             ENVIRONMENT MERROWIN_LOCKED_FOLDER=${MERROWIN_LOCKED_FOLDER})

# A reader must decode each saved symbol to its data and check digit. The
# expected numbers follow the GS1 modulo-10 rule, worked out by hand:
#   490123456789    -> 4901234567894      4901234         -> 49012347
#   1490123456789   -> 14901234567891     123456789012345 -> 1234567890123452
set(MERROWIN_DECODE_CASES
  "jan13|4901234567894|/j13|/cd490123456789"
  "jan13_plain|4901234567894|/j13b|/cd490123456789"
  "jan8|49012347|/j8|/cd4901234"
  "itf14_frame|14901234567891|/i14f|/cd1490123456789"
  "itf14|14901234567891|/i14|/cd1490123456789"
  "itf16|1234567890123452|/i16|/cd123456789012345"
  "itf16_frame|1234567890123452|/i16f|/cd123456789012345"
  # With a module width the picture fills the frame that states it.
  "jan13_mw33|4901234567894|/j13|/cd490123456789|/mw33"
  "itf16_mw25_cr200|1234567890123452|/i16f|/cd123456789012345|/mw25|/cr200"
  # The carton code of JAN 4901234567894 (GS1 Japan's example), bearer bars
  # alone; a magazine code and a JAN with a two-digit add-on, read as the
  # JAN and the add-on.
  "carton|14901234567891|/i14|/id1|/cd4901234567894"
  "carton_bars|14901234567891|/i14h|/id1|/cd490123456789"
  "itf16_bars|1234567890123452|/i16h|/cd123456789012345"
  "magazine|4910123450148=00980+4910123450148|/j13|/cd491012345014|/ad00980"
  "jan13b_ean2|4901234567894=12+4901234567894|/j13b|/cd490123456789|/ad12"
  # On a printer's dots, with bar width reduction, with outlined digits.
  "jan13_dp203|4901234567894|/j13|/cd490123456789|/dp203"
  "jan8_dp600_bw25|49012347|/j8|/cd4901234|/dp600|/bw25"
  "jan13_bw60_ol|4901234567894|/j13t|/cd490123456789|/bw60|/ol"
  "itf14_dp300_mw50_ol|14901234567891|/i14f|/cd1490123456789|/dp300|/mw50|/ol"
  "itf16_dp203_bw120|1234567890123452|/i16|/cd123456789012345|/dp203|/bw120"
  # An add-on on the same dots, narrowed and outlined as the main symbol.
  "magazine_dp300_bw30_ol|4910123450148=00980+4910123450148|/j13|/cd491012345014|/ad00980|/dp300|/bw30|/ol"
  # The book code: both tiers read, the ISBN over 192, Cコード, price
  # (1920193008203, 1923000020009: the check digits worked out by hand);
  # at the book trade's 100 %, on a printer's dots, narrowed and outlined.
  "book|9784101010014=1920193008203+9784101010014|/bk|/cd978-4-10-101001-4|/cc0193|/pr820"
  "book_mw33|9784949999120=1923000020009+9784949999120|/bk|/cd978494999912|/cc3000|/pr2000|/mw33"
  "book_dp600_bw20_ol|9784101010014=1920193008203+9784101010014|/bk|/cd9784101010014|/cc0193|/pr00820|/dp600|/bw20|/ol")
foreach(case IN LISTS MERROWIN_DECODE_CASES)
  string(REPLACE "|" ";" fields "${case}")
  list(POP_FRONT fields name expected)
  add_test(NAME decode.${name}
    COMMAND sh ${PROJECT_SOURCE_DIR}/tests/e2e/decode_check.sh
      ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:merrowin> $<TARGET_FILE:emf2bmp>
      ${CMAKE_BINARY_DIR}/decode-scratch/${name} ${expected} ${fields})
  set_tests_properties(decode.${name} PROPERTIES RESOURCE_LOCK ${MERROWIN_E2E_LOCK} TIMEOUT 120)
endforeach()

# The payment slip (/cv) read as GS1-128 from the metafile and from its
# PDF at 600 dpi, within 60 mm: GS1 Japan's example (check digit 3), the
# hand-worked one (2) on a 600 dpi printer, and with its text outlined.
set(MERROWIN_SLIP_CASES
  "slip|91912345012345678901234567890101033101230003|/cv|/cd9191234501234567890123456789010103310123000"
  "slip_dp600|91512345202700100000000000000027013110540002|/cv|/cd91512345202700100000000000000027013110540002|/dp600"
  "slip_ol_bw20|91912345012345678901234567890101033101230003|/cv|/cd(91)912345-0123456789012345678901-010331-0-123000-3|/ol|/bw20")
foreach(case IN LISTS MERROWIN_SLIP_CASES)
  string(REPLACE "|" ";" fields "${case}")
  list(POP_FRONT fields name expected)
  add_test(NAME slip.${name}
    COMMAND sh ${PROJECT_SOURCE_DIR}/tests/e2e/slip_check.sh
      ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:merrowin> $<TARGET_FILE:emf2bmp>
      ${CMAKE_BINARY_DIR}/slip-scratch/${name} ${expected} ${fields})
  set_tests_properties(slip.${name} PROPERTIES RESOURCE_LOCK ${MERROWIN_E2E_LOCK} TIMEOUT 180)
endforeach()

# Each file format (/fm) as its consumers render it: Ghostscript (EPS,
# PDF), librsvg (SVG), the PNG itself, at the resolution named; every width
# across the bars measured against the printer's dots (the PNG of the same
# command line), as whole half modules of whole dots (a PNG), or, without
# /dp, against the nominal half module in dots (0.165 mm at 2400 dpi:
# 15.591; ITF's 0.5 mm at 600: 11.811); the frame against the metafile's;
# decoded.
#   name|expected|format|dpi|reference|switch and options
set(MERROWIN_FORMAT_CASES
  "eps_jan13_dp600|4901234567894|eps|600|png|/j13|/cd490123456789|/dp600"
  "pdf_jan13_dp2400_bw20|4901234567894|pdf|2400|png|/j13|/cd490123456789|/dp2400|/bw20"
  "svg_jan8_dp300|49012347|svg|300|png|/j8|/cd4901234|/dp300"
  "eps_itf14f_dp203_bw120|14901234567891|eps|203|png|/i14f|/cd1490123456789|/dp203|/mw50|/bw120"
  "pdf_itf16_dp1200|1234567890123452|pdf|1200|png|/i16|/cd123456789012345|/dp1200"
  "svg_jan13t_dp600_bw30|4901234567894|svg|600|png|/j13t|/cd490123456789|/dp600|/bw30"
  "png_itf14f_dp300|14901234567891|png|300|dots:6|/i14f|/cd1490123456789|/dp300"
  "png_jan13|4901234567894|png|600|dots:4|/j13|/cd490123456789"
  "eps_jan13_nominal|4901234567894|eps|2400|nominal:15.591|/j13|/cd490123456789"
  "pdf_jan8_nominal|49012347|pdf|2400|nominal:15.591|/j8b|/cd4901234"
  "svg_itf14_nominal|14901234567891|svg|600|nominal:11.811|/i14|/cd1490123456789"
  # The book code for the printer: both tiers read, its text outlines.
  "eps_book_dp2400_bw20|9784949999120=1920193008203+9784949999120|eps|2400|png|/bk|/cd978-4-949999-12-0|/cc0193|/pr820|/dp2400|/bw20"
  "pdf_book_nominal|9784949999120=1920193008203+9784949999120|pdf|2400|nominal:15.591|/bk|/cd978-4-949999-12-0|/cc0193|/pr820"
  # The payment slip on a printer's dots: a module of 2 dots at 300 dpi,
  # 4 at 600, every width whole modules; the PDF at 600 dpi as its dots.
  "png_slip_dp300|91912345012345678901234567890101033101230003|png|300|dots:2|/cv|/cd9191234501234567890123456789010103310123000|/dp300"
  "png_slip_dp600|91912345012345678901234567890101033101230003|png|600|dots:4|/cv|/cd9191234501234567890123456789010103310123000|/dp600"
  "pdf_slip_dp600|91912345012345678901234567890101033101230003|pdf|600|png|/cv|/cd9191234501234567890123456789010103310123000|/dp600")
foreach(case IN LISTS MERROWIN_FORMAT_CASES)
  string(REPLACE "|" ";" fields "${case}")
  list(POP_FRONT fields name expected format dpi reference)
  add_test(NAME format.${name}
    COMMAND sh ${PROJECT_SOURCE_DIR}/tests/e2e/format_check.sh
      ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:merrowin>
      ${CMAKE_BINARY_DIR}/format-scratch/${name} ${expected} ${format} ${dpi} ${reference}
      ${fields})
  set_tests_properties(format.${name} PROPERTIES RESOURCE_LOCK ${MERROWIN_E2E_LOCK} TIMEOUT 180)
endforeach()

# The print files placed at eight fractions of a dot (placement_check.sh):
# rendered by Ghostscript at the printer's resolution, every bar and space
# the PNG's dots at NEED of 8 placements and never more than a dot off.
# The print writers draw a bar's edges 7/16 dot inside on a printer's dots
# (EdgeInset, render/formats/shared.cpp): exact at 7 of 8 placements.
#   name|format|dpi|need|switch and options
set(MERROWIN_PLACEMENT_CASES
  "eps_jan13_dp2400_bw25|eps|2400|7|/j13|/cd490123456789|/dp2400|/bw25"
  "pdf_jan13_dp2400_bw25|pdf|2400|7|/j13|/cd490123456789|/dp2400|/bw25"
  "eps_jan13_dp600_bw42|eps|600|7|/j13|/cd490123456789|/dp600|/bw42"
  "pdf_jan13_dp300_bw40|pdf|300|7|/j13|/cd490123456789|/dp300|/bw40"
  "eps_jan13_dp1200_bw25|eps|1200|7|/j13|/cd490123456789|/dp1200|/bw25"
  "pdf_jan13_dp2540|pdf|2540|7|/j13|/cd490123456789|/dp2540"
  "eps_itf14f_dp600_bw42|eps|600|7|/i14f|/cd1490123456789|/dp600|/bw42"
  "pdf_jan8_dp1200_bw25|pdf|1200|7|/j8|/cd4901234|/dp1200|/bw25")
foreach(case IN LISTS MERROWIN_PLACEMENT_CASES)
  string(REPLACE "|" ";" fields "${case}")
  list(POP_FRONT fields name format dpi need)
  add_test(NAME placement.${name}
    COMMAND sh ${PROJECT_SOURCE_DIR}/tests/e2e/placement_check.sh
      ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:merrowin>
      ${CMAKE_BINARY_DIR}/placement-scratch/${name} ${name} ${format} ${dpi} ${need} ${fields})
  set_tests_properties(placement.${name} PROPERTIES RESOURCE_LOCK ${MERROWIN_E2E_LOCK} TIMEOUT 180)
endforeach()

# A Shift-JIS list (Excel's plain CSV on Japanese Windows) under the
# Japanese ANSI code page, and README.txt's list examples run as written.
add_test(NAME batch.shift_jis_list
  COMMAND sh ${PROJECT_SOURCE_DIR}/tests/e2e/batch_ansi_check.sh
    ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:merrowin> ${CMAKE_BINARY_DIR}/batch-ansi-scratch)
set_tests_properties(batch.shift_jis_list PROPERTIES RESOURCE_LOCK ${MERROWIN_E2E_LOCK} TIMEOUT 120)

# The release archive: made with CPack into a folder of its own, its
# contents checked, and the exe unpacked from it read back under Wine for
# its manifest, version information and icon.
set(MERROWIN_PACKAGE_TEST ${CMAKE_BINARY_DIR}/package-test)
add_test(NAME package.contents COMMAND ${CMAKE_COMMAND}
  -DCPACK=${CMAKE_CPACK_COMMAND} -DBUILD=${CMAKE_BINARY_DIR} -DOUT=${MERROWIN_PACKAGE_TEST}
  -DNAME=merrowin-${PROJECT_VERSION}-win32 -DEXE=$<TARGET_FILE:merrowin>
  -P ${PROJECT_SOURCE_DIR}/cmake/check-package.cmake)
add_test(NAME package.exe_resources COMMAND e2e_tests
  --gtest_filter=ManifestTest.*:VersionStringTest.*:ExeResources.*)
set_tests_properties(package.contents PROPERTIES FIXTURES_SETUP package TIMEOUT 120)
set_tests_properties(package.exe_resources PROPERTIES FIXTURES_REQUIRED package TIMEOUT 120
  ENVIRONMENT MERROWIN_CHECK_EXE=${MERROWIN_PACKAGE_TEST}/unpacked/merrowin.exe)
