# Runs GENERATOR OUTPUT and fails unless OUTPUT is byte for byte EXPECTED.
execute_process(COMMAND ${GENERATOR} ${OUTPUT} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${GENERATOR} failed: ${result}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUTPUT} ${EXPECTED}
                RESULT_VARIABLE different)
if(different)
    message(FATAL_ERROR "${EXPECTED} is not what the generator makes; remake it with "
                        "${GENERATOR} ${EXPECTED}")
endif()
