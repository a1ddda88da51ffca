# Runs the built-in player for 20 years from a new game and checks that it wins: every
# unlock, at least 1250 residents, no debt and no loan at the end.
execute_process(
    COMMAND ${SIM} --new --seed ${SEED} --autoplay --days 7200 --json
    OUTPUT_VARIABLE summary RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "tapburg-sim failed (${status}): ${summary}")
endif()
string(JSON population GET "${summary}" population)
string(JSON mask GET "${summary}" unlockMask)
string(JSON budget GET "${summary}" budget)
string(JSON loan GET "${summary}" loan)
if(population LESS 1250 OR NOT mask EQUAL 511 OR budget MATCHES "^-" OR NOT loan EQUAL 0)
    message(FATAL_ERROR "seed ${SEED} did not win: ${summary}")
endif()
