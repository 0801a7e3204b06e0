# Runs a libFuzzer executable from the scratch directory WORK, made afresh, so that its
# corpus, crash files and any ErrorLog.err stay there.
#   FUZZER   the fuzzer
#   OPTIONS  fuzzer options, separated by spaces
#   SEEDS    fuzz: copy this directory's inputs into WORK/corpus and fuzz from there
#   INPUTS   regressions: run every file of this directory once, each in its own process
#            so that one failure does not hide the next (no files: nothing to do)
foreach(required FUZZER WORK)
    if(NOT DEFINED ${required})
        message(FATAL_ERROR "RunFuzzer.cmake needs -D${required}=...")
    endif()
endforeach()
separate_arguments(options UNIX_COMMAND "${OPTIONS}")
list(JOIN options " " shown)

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

if(DEFINED SEEDS)
    file(COPY ${SEEDS}/ DESTINATION ${WORK}/corpus)
    message(STATUS "In ${WORK}: ${FUZZER} ${shown} corpus")
    execute_process(COMMAND ${FUZZER} ${options} corpus
                    WORKING_DIRECTORY ${WORK}
                    RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        file(GLOB artifacts ${WORK}/crash-* ${WORK}/leak-* ${WORK}/timeout-* ${WORK}/oom-*
             ${WORK}/ErrorLog.err)
        list(JOIN artifacts "\n  " listed)
        message(FATAL_ERROR "${FUZZER} failed (${result}); left in ${WORK}:\n  ${listed}")
    endif()
elseif(DEFINED INPUTS)
    file(GLOB inputs LIST_DIRECTORIES false ${INPUTS}/*)
    if(NOT inputs)
        message(STATUS "No regression inputs in ${INPUTS}")
        return()
    endif()
    list(SORT inputs)
    set(failed)
    foreach(input IN LISTS inputs)
        execute_process(COMMAND ${FUZZER} ${options} ${input}
                        WORKING_DIRECTORY ${WORK}
                        RESULT_VARIABLE result)
        if(NOT result EQUAL 0)
            list(APPEND failed ${input})
        endif()
    endforeach()
    if(failed)
        list(LENGTH failed count)
        list(JOIN failed "\n  " listed)
        message(FATAL_ERROR "${count} regression input(s) fail:\n  ${listed}")
    endif()
else()
    message(FATAL_ERROR "RunFuzzer.cmake needs -DSEEDS=... or -DINPUTS=...")
endif()
