# Converts PROGRAM with each of DEFINITIONS. The command line decides by extension, and CAM
# systems name their files as they like (part.ncl.8), so the program is copied to an .apt name.
# The aliases shipped (commented) in SETTINGS are switched on: with them every run must convert
# the whole program (exit 0, no cycle left unprocessed), write a non-empty program and never write
# NaN or infinity. Where RS274 (LinuxCNC's interpreter) is given, the LinuxCNC output must read to
# its end without an error.
cmake_minimum_required(VERSION 3.22)
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
file(COPY_FILE ${PROGRAM} ${WORK}/input.apt)

# The shipped alias examples, uncommented: ";WORD=REPLACEMENT" lines of section APT_ALIAS.
# (";" separates CMake list items: comment marks are read as "#" first.)
file(READ ${SETTINGS} content)
string(REPLACE "\r" "" content "${content}")
string(REPLACE ";" "#" content "${content}")
string(REPLACE "\n" ";" lines "${content}")
set(ini "[CONFIG]\nLangId=1033\n[APT_ALIAS]\n")
set(inAliases FALSE)
foreach(line ${lines})
  if(line MATCHES "^\\[")
    string(COMPARE EQUAL "${line}" "[APT_ALIAS]" inAliases)
  elseif(inAliases AND line MATCHES "^#([A-Z0-9]+=[^#]*)$")
    string(APPEND ini "${CMAKE_MATCH_1}\n")
  endif()
endforeach()
file(WRITE ${WORK}/aliases.ini "${ini}")

# Programs whose LinuxCNC output cannot read to its end before a rule still to come. Once such a
# program reads through, this test asks for its name to be taken out.
set(rs274Pending "")
get_filename_component(programName ${PROGRAM} NAME)
list(FIND rs274Pending "${programName}" pendingIndex)

# Programs with a second setup whose tool axis points along -Z or -X: a machine without rotary
# axes cannot cut it upright, so they stop there (exit 3, the statement named), and convert whole
# on the five-axis definitions.
set(tiltedSetups "Sacrifice-Board.apt;wall-holes.apt")
list(FIND tiltedSetups "${programName}" tiltedIndex)

# Radius 0 for every tool: the check is about the program, not about the sizes of unknown tools.
set(table ${WORK}/tools.tbl)
file(WRITE ${table} "")
foreach(t RANGE 1 99)
  file(APPEND ${table} "T${t} P${t} Z0 D0\n")
endforeach()

foreach(def ${DEFINITIONS})
  get_filename_component(defname ${def} NAME_WE)
  set(out ${WORK}/${defname}.out)
  execute_process(COMMAND ${POST} --ini ${WORK}/aliases.ini --ppc ${def} -o ${out} ${WORK}/input.apt
                  RESULT_VARIABLE rc ERROR_VARIABLE err OUTPUT_VARIABLE ignored)
  # The machine's kinematics: 1 (or none) has no rotary axis.
  # (file(STRINGS) splits at the key's Windows-1252 byte: "Cin" and "matique_Machine=3".)
  file(STRINGS ${def} kinematicsLines REGEX "^matique_Machine=[0-9]+\r?$")
  set(threeAxis TRUE)
  if(kinematicsLines MATCHES "=([0-9]+)" AND CMAKE_MATCH_1 GREATER 1)
    set(threeAxis FALSE)
  endif()
  if(tiltedIndex GREATER -1 AND threeAxis)
    if(NOT rc EQUAL 3 OR NOT err MATCHES "Tool axis other than \\+Z[^\n]*: (GOTO|CSYS)/")
      message(FATAL_ERROR "${defname}: a tilted setup on three axes must stop (exit 3) with the "
                          "statement named; ordalis-post ended with ${rc}\n${err}")
    endif()
    string(REGEX MATCH "Tool axis other than[^\n]*" line "${err}")
    message(STATUS "${defname}: stops as it must: ${line}")
    continue()
  endif()
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${defname}: ordalis-post ended with ${rc}\n${err}")
  endif()
  if(err MATCHES "Cycle not processed")
    string(REGEX MATCH "Cycle not processed[^\n]*" line "${err}")
    message(FATAL_ERROR "${defname}: ${line}")
  endif()
  file(SIZE ${out} size)
  if(size EQUAL 0)
    message(FATAL_ERROR "${defname}: empty output")
  endif()
  file(READ ${out} text)
  string(TOLOWER "${text}" text)
  if(text MATCHES "(^|[^a-z])(nan|inf|infinity)([^a-z]|$)")
    string(REGEX MATCH "[^\n]*(nan|inf)[^\n]*" line "${text}")
    message(FATAL_ERROR "${defname}: a number is not finite: ${line}")
  endif()
  string(REGEX MATCHALL "Statement not processed :[^\n]*" unknown "${err}")
  list(LENGTH unknown unknownCount)
  message(STATUS "${defname}: ${size} bytes, ${unknownCount} statements not processed")
  if(RS274 AND defname STREQUAL "linuxcnc_mill")
    file(COPY_FILE ${out} ${WORK}/linuxcnc.ngc)
    # rs274 shares its tool table through $HOME/.tool.mmap: a HOME of its own keeps other runs
    # (other tool tables) out of this one.
    execute_process(COMMAND ${CMAKE_COMMAND} -E env HOME=${WORK}
                            ${RS274} -g -t ${table} ${WORK}/linuxcnc.ngc WORKING_DIRECTORY ${WORK}
                    INPUT_FILE /dev/null RESULT_VARIABLE rsrc OUTPUT_VARIABLE rsout
                    ERROR_VARIABLE rserr)
    set(readsThrough TRUE)
    if(NOT rsrc EQUAL 0 OR NOT rsout MATCHES "PROGRAM_END\\(\\)")
      set(readsThrough FALSE)
      string(REGEX REPLACE "(^|\n) *[0-9]+ N[^\n]*" "" why "${rsout}\n${rserr}")
      string(STRIP "${why}" why)
    endif()
    if(pendingIndex GREATER -1)
      if(readsThrough)
        message(FATAL_ERROR "rs274 now reads ${programName} to its end: take it out of rs274Pending")
      endif()
      message(STATUS "rs274 stops on ${programName} as expected for now: ${why}")
    elseif(NOT readsThrough)
      message(FATAL_ERROR "rs274 stops on the LinuxCNC output (${rsrc}): ${why}")
    else()
      message(STATUS "rs274 reads the LinuxCNC output to its end")
    endif()
  endif()
endforeach()
