# Runs the one test of EXECUTABLE that meets a fatal report on purpose and requires the
# executable to fail and to name that report: a passing status would mean such reports
# in real tests go unnoticed. It runs in a scratch folder, which takes the error log.
string(RANDOM LENGTH 8 suffix)
set(scratch ${CMAKE_CURRENT_BINARY_DIR}/fatal-guard-${suffix})
file(MAKE_DIRECTORY ${scratch})
execute_process(
    COMMAND ${EXECUTABLE} --gtest_also_run_disabled_tests
            --gtest_filter=DISABLED_UnexpectedFatal.FailsTheTestExecutable
    WORKING_DIRECTORY ${scratch}
    RESULT_VARIABLE status
    OUTPUT_VARIABLE output
    ERROR_VARIABLE output)
file(REMOVE_RECURSE ${scratch})
if(status EQUAL 0)
    message(FATAL_ERROR "a fatal report inside a test ended ${EXECUTABLE} with status 0:\n${output}")
endif()
if(NOT output MATCHES "Unexpected fatal report in DISABLED_UnexpectedFatal.FailsTheTestExecutable: Harness1")
    message(FATAL_ERROR "the failure does not name the report:\n${output}")
endif()
