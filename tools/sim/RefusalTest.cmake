# Runs tapburg-sim with ARGS and expects exit code 2 with exactly one line on stderr.
execute_process(COMMAND ${SIM} ${ARGS} RESULT_VARIABLE status ERROR_VARIABLE errors
    OUTPUT_QUIET)
if(NOT status EQUAL 2)
    message(FATAL_ERROR "expected exit code 2, got ${status}")
endif()
string(REGEX MATCHALL "\n" breaks "${errors}")
list(LENGTH breaks lines)
if(NOT lines EQUAL 1)
    message(FATAL_ERROR "expected one line on standard error, got: ${errors}")
endif()
