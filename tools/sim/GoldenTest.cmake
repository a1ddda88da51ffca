# Runs tapburg-sim for the golden city and compares its save with the stored one.
execute_process(
    COMMAND ${SIM} --new --seed 1 --autoplay --days 720 --save ${ACTUAL}
    RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "tapburg-sim failed (${status})")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${EXPECTED} ${ACTUAL}
    RESULT_VARIABLE differs)
if(differs)
    message(FATAL_ERROR "the simulated city differs from ${EXPECTED}: compare with ${ACTUAL}")
endif()
