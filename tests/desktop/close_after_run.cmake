# The desktop program called as a CAM system calls it: CloseAfterPP set, no display, one APT word.
# It must convert, write what ordalis-post writes and end with ordalis-post's exit status.
#   -DDESKTOP=ordalis -DPOST=ordalis-post -DPROGRAM=file.apt -DPPC=def.ppc -DWORK=dir
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/desktop ${WORK}/post)
get_filename_component(name ${PROGRAM} NAME)
file(WRITE ${WORK}/Ordalis.ini "[POSTPROCESSEUR]\r\nFichier=${PPC}\r\nNom=test\r\n[CONFIG]\r\nLangId=1033\r\nCloseAfterPP=1\r\n")
foreach(side desktop post)
  file(COPY ${PROGRAM} DESTINATION ${WORK}/${side})
endforeach()

execute_process(COMMAND ${POST} --ini ${WORK}/Ordalis.ini --ppc ${PPC} ${WORK}/post/${name}
  RESULT_VARIABLE post_status OUTPUT_QUIET ERROR_QUIET)
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY --unset=QT_QPA_PLATFORM
          ${DESKTOP} --ini ${WORK}/Ordalis.ini ${WORK}/desktop/${name}
  RESULT_VARIABLE status ERROR_VARIABLE errors TIMEOUT 120)
if(NOT status STREQUAL post_status)
  message(FATAL_ERROR "ordalis ended with ${status}, ordalis-post with ${post_status}:\n${errors}")
endif()

file(GLOB outputs RELATIVE ${WORK}/post ${WORK}/post/*)
list(REMOVE_ITEM outputs ${name})
if(NOT outputs)
  message(FATAL_ERROR "ordalis-post wrote nothing for ${name}")
endif()
foreach(output ${outputs})
  if(NOT EXISTS ${WORK}/desktop/${output})
    message(FATAL_ERROR "ordalis did not write ${output}:\n${errors}")
  endif()
  file(READ ${WORK}/post/${output} expected HEX)
  file(READ ${WORK}/desktop/${output} actual HEX)
  if(NOT expected STREQUAL actual)
    message(FATAL_ERROR "ordalis wrote ${output} otherwise than ordalis-post")
  endif()
endforeach()
