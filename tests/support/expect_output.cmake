# Runs PROGRAM ARGUMENT; fails unless it exits with 0 and its output, without the final line
# break, matches the regular expression EXPECTED.
execute_process(COMMAND ${PROGRAM} ${ARGUMENT}
  RESULT_VARIABLE estado OUTPUT_VARIABLE salida ERROR_VARIABLE errores)
string(REGEX REPLACE "\n$" "" salida "${salida}")
if(NOT estado EQUAL 0 OR NOT salida MATCHES "${EXPECTED}")
  message(FATAL_ERROR "${PROGRAM} ${ARGUMENT}: exit status ${estado}\n${salida}\n${errores}")
endif()
