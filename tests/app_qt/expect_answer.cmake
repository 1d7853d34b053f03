# cmake -DPROGRAM=P -DARGUMENTS=A;B -DEXIT_STATUS=N -DOUTPUT=REGEX -P expect_answer.cmake
# Runs P with the arguments A, B and fails unless it exits with status N and its standard output
# matches REGEX.
execute_process(COMMAND ${PROGRAM} ${ARGUMENTS} RESULT_VARIABLE status OUTPUT_VARIABLE out
                ERROR_VARIABLE err)
if(NOT status STREQUAL EXIT_STATUS)
  message(FATAL_ERROR "${PROGRAM} ${ARGUMENTS} ended with \"${status}\", not ${EXIT_STATUS}:\n${err}")
endif()
if(NOT out MATCHES "${OUTPUT}")
  message(FATAL_ERROR "${PROGRAM} ${ARGUMENTS} printed\n${out}\nwhich does not match\n${OUTPUT}")
endif()
