# Runs PROGRAM with ARGS and no display at all: it must exit with 0, print text matching
# EXPECT on standard output and nothing on standard error. A program that tried to open
# a window here would fail or complain about the missing display.
execute_process(
    COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY ${PROGRAM} ${ARGS}
    RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "expected exit code 0, got ${status}: ${errors}")
endif()
if(NOT errors STREQUAL "")
    message(FATAL_ERROR "expected nothing on standard error, got: ${errors}")
endif()
if(NOT output MATCHES "${EXPECT}")
    message(FATAL_ERROR "expected output matching \"${EXPECT}\", got: ${output}")
endif()
