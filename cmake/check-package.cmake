# Makes the release archive with CPack in a folder of its own and checks
# what a user unpacks from it: exactly the exe of this build, README.txt and
# LICENSE.txt at the top with no folder around them (README.txt says to
# unpack it to C:\Tools\Merrowin and call C:\Tools\Merrowin\merrowin.exe),
# the README in UTF-8 with a byte-order mark and CR LF lines so that every
# Notepad reads it.
# Run by ctest: cmake -DCPACK=... -DBUILD=... -DOUT=... -DNAME=... -DEXE=... -P
file(REMOVE_RECURSE ${OUT})
execute_process(COMMAND ${CPACK} --config ${BUILD}/CPackConfig.cmake -B ${OUT}
                RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cpack failed:\n${output}")
endif()
set(zip ${OUT}/${NAME}.zip)
if(NOT EXISTS ${zip})
  message(FATAL_ERROR "no ${NAME}.zip:\n${output}")
endif()

execute_process(COMMAND ${CMAKE_COMMAND} -E tar tf ${zip} OUTPUT_VARIABLE listing
                RESULT_VARIABLE status)
string(REPLACE "\n" ";" entries "${listing}")
list(FILTER entries EXCLUDE REGEX "^$")
list(SORT entries)
set(expected LICENSE.txt README.txt merrowin.exe)
if(NOT status EQUAL 0 OR NOT entries STREQUAL expected)
  message(FATAL_ERROR "the archive holds '${entries}', expected '${expected}'")
endif()

file(ARCHIVE_EXTRACT INPUT ${zip} DESTINATION ${OUT}/unpacked)
set(dir ${OUT}/unpacked)
file(SHA256 ${dir}/merrowin.exe packed)
file(SHA256 ${EXE} built)
if(NOT packed STREQUAL built)
  message(FATAL_ERROR "the archive's merrowin.exe is not the one built")
endif()

file(READ ${dir}/README.txt readme HEX)
if(NOT readme MATCHES "^efbbbf")
  message(FATAL_ERROR "README.txt does not begin with the UTF-8 byte-order mark")
endif()
string(REGEX REPLACE "0d0a" "" bare "${readme}")
# Pairs of hex digits: a 0a left over at an even offset is a bare LF.
string(REGEX MATCHALL ".." bytes "${bare}")
list(FIND bytes 0a lf)
if(NOT lf EQUAL -1)
  message(FATAL_ERROR "README.txt has a line ending in LF alone")
endif()
file(READ ${dir}/README.txt readme)
foreach(text "merrowin /?" "OCRB" "Exit codes" "--target package")
  string(FIND "${readme}" "${text}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "README.txt does not mention '${text}'")
  endif()
endforeach()
file(READ ${dir}/LICENSE.txt license)
foreach(text "MIT License" "Copyright (c) 2026 Merrowin developers")
  string(FIND "${license}" "${text}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "LICENSE.txt does not say '${text}'")
  endif()
endforeach()
message(STATUS "${NAME}.zip: ${entries}")
