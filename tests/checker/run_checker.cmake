# Runs pelox-check in a folder and checks its exit status and that its output matches a pattern.
# -DCHECKER=<program> [-DEMULATOR=<runner>] -DFOLDER=<folder> [-DARGS=<a;b>] -DSTATUS=<n> -DPATTERN=<regex>
execute_process(COMMAND ${EMULATOR} ${CHECKER} ${ARGS}
  WORKING_DIRECTORY ${FOLDER}
  RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE errors)
if(NOT status STREQUAL STATUS)
  message(FATAL_ERROR "exit status ${status}, expected ${STATUS}\n${output}${errors}")
endif()
if(NOT output MATCHES "${PATTERN}")
  message(FATAL_ERROR "output does not match \"${PATTERN}\":\n${output}${errors}")
endif()
