# Runs ordalis-post on one golden case and compares what a user would see.
#   CASE/input.apt, CASE/def.ppc   the program and the definition
#   CASE/ppc         (optional)    instead of def.ppc: the path of a shipped definition, relative
#                                  to the source tree, so the case follows changes to it
#   CASE/expected.nc               the expected output, byte for byte
#   CASE/args        (optional)    the arguments, one per line, instead of the usual
#                                  --ini WORK/none.ini --ppc CASE/def.ppc -o WORK/output.nc CASE/input.apt
#   CASE/copy        (optional)    lines "from|to": files copied before the run
#   CASE/output      (optional)    the file compared with expected.nc (default WORK/output.nc);
#                                  NONE: no file may be written
#   CASE/expected.rc (optional)    the exit status (default 0)
#   CASE/expected.log (optional)   standard error, without the timing lines
# In args, copy and output, @CASE@ and @WORK@ stand for the two folders.
cmake_minimum_required(VERSION 3.22)
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

function(expand_paths text out)
  string(REPLACE "@CASE@" "${CASE}" text "${text}")
  string(REPLACE "@WORK@" "${WORK}" text "${text}")
  string(REPLACE "@SOURCE@" "${SOURCE}" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

if(EXISTS ${CASE}/copy)
  file(STRINGS ${CASE}/copy copies)
  foreach(line ${copies})
    expand_paths("${line}" line)
    string(REPLACE "|" ";" pair "${line}")
    list(GET pair 0 from)
    list(GET pair 1 to)
    file(COPY_FILE ${from} ${to})
  endforeach()
endif()

set(DEF ${CASE}/def.ppc)
if(EXISTS ${CASE}/ppc)
  file(STRINGS ${CASE}/ppc shipped)
  set(DEF ${SOURCE}/${shipped})
endif()

if(EXISTS ${CASE}/args)
  file(STRINGS ${CASE}/args lines)
  set(args)
  foreach(line ${lines})
    expand_paths("${line}" line)
    list(APPEND args "${line}")
  endforeach()
else()
  set(args --ini ${WORK}/none.ini --ppc ${DEF} -o ${WORK}/output.nc ${CASE}/input.apt)
endif()
set(output ${WORK}/output.nc)
if(EXISTS ${CASE}/output)
  file(STRINGS ${CASE}/output output)
  expand_paths("${output}" output)
endif()
set(expected_rc 0)
if(EXISTS ${CASE}/expected.rc)
  file(STRINGS ${CASE}/expected.rc expected_rc)
endif()

execute_process(COMMAND ${POST} ${args} RESULT_VARIABLE rc ERROR_VARIABLE err OUTPUT_VARIABLE out)
if(NOT rc EQUAL expected_rc)
  message(FATAL_ERROR "ordalis-post exited with ${rc}, expected ${expected_rc}:\n${out}\n${err}")
endif()

if(output STREQUAL "NONE")
  file(GLOB written ${WORK}/*.nc ${WORK}/*.ngc ${WORK}/*.tmp)
  if(written)
    message(FATAL_ERROR "no output expected, found: ${written}")
  endif()
else()
  if(NOT EXISTS ${output})
    message(FATAL_ERROR "no output file ${output}:\n${err}")
  endif()
  file(READ ${CASE}/expected.nc expected)
  file(READ ${output} actual)
  if(NOT expected STREQUAL actual)
    execute_process(COMMAND diff -u ${CASE}/expected.nc ${output} OUTPUT_VARIABLE d)
    message(FATAL_ERROR "output differs from expected.nc:\n${d}\n${err}")
  endif()
endif()

if(EXISTS ${CASE}/expected.log)
  file(READ ${CASE}/expected.log expected_log)
  # Times of day and durations change from run to run; paths depend on the build tree.
  string(REGEX REPLACE "(starting time|ending time|time difference|temps departs|temps fin|temps diff)[^\n]*\n" "" err "${err}")
  string(REPLACE "${WORK}" "@WORK@" err "${err}")
  string(REPLACE "${CASE}" "@CASE@" err "${err}")
  string(STRIP "${expected_log}" expected_log)
  string(STRIP "${err}" err)
  string(REPLACE "\r" "" expected_log "${expected_log}")
  if(NOT expected_log STREQUAL err)
    message(FATAL_ERROR "log differs from expected.log:\nexpected:\n${expected_log}\nactual:\n${err}")
  endif()
endif()
