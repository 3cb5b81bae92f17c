# Runs PROGRAM, which must end with a nonzero status and print EXPECT.
separate_arguments(args UNIX_COMMAND "${ARGS}")
execute_process(COMMAND ${PROGRAM} ${args}
  WORKING_DIRECTORY ${WORKDIR}
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(rc EQUAL 0)
  message(FATAL_ERROR "expected a nonzero exit status, got 0\n${out}\n${err}")
endif()
if(NOT "${out}${err}" MATCHES "${EXPECT}")
  message(FATAL_ERROR "expected output matching '${EXPECT}', got:\n${out}\n${err}")
endif()
message(STATUS "stopped with status ${rc} as expected")
