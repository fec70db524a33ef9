# Runs a command and compares its standard output with a file.
#   -DCOMMAND=prog;args  -DEXPECTED=file  -DWORKDIR=dir  [-DSTRIP_CR=ON] [-DEXIT_CODE=n]
# STRIP_CR drops carriage returns first, for the text-mode output of a Windows program.
execute_process(COMMAND ${COMMAND} WORKING_DIRECTORY ${WORKDIR}
                OUTPUT_VARIABLE actual RESULT_VARIABLE status)
if(NOT DEFINED EXIT_CODE)
  set(EXIT_CODE 0)
endif()
if(NOT "${status}" STREQUAL "${EXIT_CODE}")
  message(FATAL_ERROR "exit status ${status}, expected ${EXIT_CODE}")
endif()
if(STRIP_CR)
  string(REPLACE "\r" "" actual "${actual}")
endif()
file(READ ${EXPECTED} expected)
if(NOT actual STREQUAL expected)
  message(FATAL_ERROR "output differs from ${EXPECTED}:\n${actual}")
endif()
