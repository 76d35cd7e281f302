# Benchmarks: the core's cost per symbol (Google Benchmark, native) and an
# empty Win32 program for whole-process timings under Wine. bench/run.sh
# builds and runs them.
if(WIN32)
  add_executable(empty_app WIN32 bench/empty_app.cpp)
  target_link_options(empty_app PRIVATE -municode)
  target_link_libraries(empty_app PRIVATE merrowin_options)
  # The floor of a batch (/bt): the same file calls, nothing else.
  add_executable(bare_writes bench/bare_writes.cpp)
  target_link_options(bare_writes PRIVATE -municode)
  target_link_libraries(bare_writes PRIVATE merrowin_options)
else()
  # The core's memory over a batch of any length (bench/batch_bench.sh).
  add_executable(batch_memory EXCLUDE_FROM_ALL bench/batch_memory.cpp)
  target_link_libraries(batch_memory PRIVATE merrowin_core merrowin_options)
  # A digest of every picture of a fixed set of command lines: compared
  # before and after a change that must leave the pictures alone.
  add_executable(picture_digest EXCLUDE_FROM_ALL tools/picture_digest.cpp)
  target_link_libraries(picture_digest PRIVATE merrowin_core merrowin_options)
  # libzint (Debian's libzint-dev) is the peer the core is measured against;
  # only the benchmark links it.
  find_package(benchmark QUIET)
  find_library(MERROWIN_ZINT_LIBRARY zint)
  if(benchmark_FOUND AND MERROWIN_ZINT_LIBRARY)
    add_executable(bench_core EXCLUDE_FROM_ALL bench/core_bench.cpp)
    target_link_libraries(bench_core PRIVATE merrowin_core merrowin_options benchmark::benchmark
                          ${MERROWIN_ZINT_LIBRARY})
  endif()
endif()
