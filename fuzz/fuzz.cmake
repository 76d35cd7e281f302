# Fuzz targets. Every build replays the committed corpus (seeds and past
# findings) through each target as an ordinary test. With MERROWIN_FUZZ on
# and clang, the same targets are also built as libFuzzer programs
# (`fuzzers` builds them all) and each becomes a test labelled `fuzz` that
# fuzzes for MERROWIN_FUZZ_SECONDS (`ctest --preset fuzz` runs just those).
# A failing input is kept as build/fuzz/fuzz-finding-<target>-*.
set(MERROWIN_FUZZ_TARGETS command_line conversion store)
set(MERROWIN_FUZZ_SECONDS 60 CACHE STRING "Seconds each fuzz test runs")
if(MERROWIN_FUZZ_SECONDS STREQUAL "")  # the fuzz preset passes the environment's, maybe empty
  set(MERROWIN_FUZZ_SECONDS 60)
endif()

if(MERROWIN_FUZZ)
  add_custom_target(fuzzers)
  # Each run starts from the committed corpus and the inputs earlier runs
  # found new (fuzz-corpus/<target>); an earlier run's findings go first.
  add_test(NAME fuzz.setup COMMAND sh -c
    "cd \"$0\" && rm -f fuzz-finding-* && for t in $*; do mkdir -p fuzz-corpus/$t; done"
    ${CMAKE_BINARY_DIR} ${MERROWIN_FUZZ_TARGETS})
  set_tests_properties(fuzz.setup PROPERTIES FIXTURES_SETUP fuzz_dirs LABELS fuzz)
endif()

foreach(name IN LISTS MERROWIN_FUZZ_TARGETS)
  set(corpus ${PROJECT_SOURCE_DIR}/fuzz/corpus/${name})
  if(MERROWIN_FUZZ)
    add_executable(fuzz_${name} fuzz/fuzz_${name}.cpp)
    target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
    target_link_libraries(fuzz_${name} PRIVATE merrowin_core merrowin_options)
    add_dependencies(fuzzers fuzz_${name})
    add_test(NAME fuzz.${name}
      COMMAND fuzz_${name} -max_total_time=${MERROWIN_FUZZ_SECONDS} -timeout=5
              -artifact_prefix=${CMAKE_BINARY_DIR}/fuzz-finding-${name}-
              ${CMAKE_BINARY_DIR}/fuzz-corpus/${name} ${corpus})
    math(EXPR timeout "${MERROWIN_FUZZ_SECONDS} + 120")
    set_tests_properties(fuzz.${name} PROPERTIES
      LABELS fuzz FIXTURES_REQUIRED fuzz_dirs TIMEOUT ${timeout})
  endif()
  add_executable(replay_${name} fuzz/fuzz_${name}.cpp fuzz/replay_main.cpp)
  target_link_libraries(replay_${name} PRIVATE merrowin_core merrowin_options)
  add_test(NAME fuzz_corpus_${name} COMMAND replay_${name} ${corpus})
endforeach()
