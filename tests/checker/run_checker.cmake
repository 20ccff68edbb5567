# Runs pelox-check in a folder and checks its exit status and that its output matches a pattern.
# -DCHECKER=<program> [-DEMULATOR=<runner>] -DFOLDER=<folder> [-DARGS=<a;b>] -DSTATUS=<n> -DPATTERN=<regex>
# [-DINPUT=<file piped into its standard input>] [-DTIMEOUT=<seconds>]
# [-DSAME_AS=<path>: the output must be the one for that path, with ARGS in place of its name]
# [-DLIBRARY=<file>|none -DWORK=<folder>]: the checker runs from WORK instead, made afresh with a
# copy of the checker and the file beside it as CR95HF.dll (none: no library).
# [-DCONFIG=<file> -DWORK=<folder>]: a copy of the checker in WORK with the file beside it as
# Pelox.ini, run from FOLDER.
if(CONFIG)
  file(REMOVE_RECURSE ${WORK})
  get_filename_component(name ${CHECKER} NAME)
  configure_file(${CHECKER} ${WORK}/${name} COPYONLY)
  configure_file(${CONFIG} ${WORK}/Pelox.ini COPYONLY)
  set(CHECKER ${WORK}/${name})
endif()
if(LIBRARY)
  file(REMOVE_RECURSE ${WORK})
  get_filename_component(name ${CHECKER} NAME)
  configure_file(${CHECKER} ${WORK}/${name} COPYONLY)
  if(NOT LIBRARY STREQUAL "none")
    configure_file(${LIBRARY} ${WORK}/CR95HF.dll COPYONLY)
  endif()
  set(CHECKER ${WORK}/${name})
  set(FOLDER ${WORK})
endif()
set(feed)
if(INPUT)
  set(feed COMMAND ${CMAKE_COMMAND} -E cat ${INPUT})
endif()
set(timeout)
if(TIMEOUT)
  set(timeout TIMEOUT ${TIMEOUT})
endif()
execute_process(${feed} COMMAND ${EMULATOR} ${CHECKER} ${ARGS} ${timeout}
  WORKING_DIRECTORY ${FOLDER} RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE errors)
if(NOT status STREQUAL STATUS)
  message(FATAL_ERROR "exit status ${status}, expected ${STATUS}\n${output}${errors}")
endif()
if(NOT output MATCHES "${PATTERN}")
  message(FATAL_ERROR "output does not match \"${PATTERN}\":\n${output}${errors}")
endif()
if(SAME_AS)
  execute_process(COMMAND ${EMULATOR} ${CHECKER} ${SAME_AS} WORKING_DIRECTORY ${FOLDER} OUTPUT_VARIABLE expected)
  string(REPLACE "${SAME_AS}:" "${ARGS}:" expected "${expected}")
  if(NOT output STREQUAL expected)
    message(FATAL_ERROR "output differs from the one for ${SAME_AS}:\n${output}\nexpected:\n${expected}")
  endif()
endif()
