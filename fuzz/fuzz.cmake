# Fuzz targets. Every build replays the committed corpus (seeds and past
# findings) through each target as an ordinary test; with MERROWIN_FUZZ on
# and clang, the same targets are built as libFuzzer programs and the
# `fuzz` target runs each for a short while.
set(MERROWIN_FUZZ_TARGETS command_line conversion store)
set(MERROWIN_FUZZ_SECONDS 60 CACHE STRING "Seconds each fuzz target runs in the fuzz target")

foreach(name IN LISTS MERROWIN_FUZZ_TARGETS)
  set(corpus ${PROJECT_SOURCE_DIR}/fuzz/corpus/${name})
  if(MERROWIN_FUZZ)
    add_executable(fuzz_${name} ${PROJECT_SOURCE_DIR}/fuzz/fuzz_${name}.cpp)
    target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
    target_link_libraries(fuzz_${name} PRIVATE merrowin_core)
    list(APPEND fuzz_runs
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/fuzz-corpus/${name}
      COMMAND fuzz_${name} -max_total_time=${MERROWIN_FUZZ_SECONDS} -timeout=5
              -artifact_prefix=${CMAKE_BINARY_DIR}/fuzz-finding-${name}-
              ${CMAKE_BINARY_DIR}/fuzz-corpus/${name} ${corpus})
  endif()
  add_executable(replay_${name} ${PROJECT_SOURCE_DIR}/fuzz/fuzz_${name}.cpp
                 ${PROJECT_SOURCE_DIR}/fuzz/replay_main.cpp)
  target_link_libraries(replay_${name} PRIVATE merrowin_core)
  add_test(NAME fuzz_corpus_${name} COMMAND replay_${name} ${corpus})
endforeach()

if(MERROWIN_FUZZ)
  add_custom_target(fuzz ${fuzz_runs} USES_TERMINAL VERBATIM)
endif()
