# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the game where it can reach no display and checks that it says so in one line on
# standard error, prints nothing on standard output, and exits with status 1 (no abort).
#   cmake -DPROGRAM=<drovane> -DCASE=<unset|dead-x> -DEXPECTED=<regex> -P display_failure.cmake
# unset: DISPLAY and WAYLAND_DISPLAY unset. dead-x: DISPLAY names an X display no server has.
if(CASE STREQUAL "unset")
    set(display --unset=DISPLAY)
elseif(CASE STREQUAL "dead-x")
    set(number 87)
    while(EXISTS /tmp/.X11-unix/X${number} OR EXISTS /tmp/.X${number}-lock)
        math(EXPR number "${number} + 1")
    endwhile()
    set(display DISPLAY=:${number})
    string(REPLACE "@DISPLAY@" ":${number}" EXPECTED "${EXPECTED}")
else()
    message(FATAL_ERROR "CASE must be unset or dead-x, not '${CASE}'")
endif()

execute_process(
    COMMAND ${CMAKE_COMMAND} -E env --unset=WAYLAND_DISPLAY --unset=QT_QPA_PLATFORM --unset=XDG_SESSION_TYPE
            ${display}
            ${PROGRAM}
    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 60)

message(STATUS "exit status: ${status}")
message(STATUS "standard error:\n${err}")
if(NOT status STREQUAL "1")
    message(FATAL_ERROR "expected exit status 1, got '${status}'")
endif()
if(NOT out STREQUAL "")
    message(FATAL_ERROR "expected nothing on standard output, got:\n${out}")
endif()
if(NOT err MATCHES "^drovane : [^\n]+\n$")
    message(FATAL_ERROR "expected exactly one line on standard error, starting with 'drovane : '")
endif()
if(NOT err MATCHES "${EXPECTED}")
    message(FATAL_ERROR "the line does not match '${EXPECTED}'")
endif()
