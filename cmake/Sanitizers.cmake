# AddressSanitizer and UBSan for the test build; any finding ends the run.
if(VELMORA_SANITIZE)
    set(VELMORA_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all
                                -fno-omit-frame-pointer)
    target_compile_options(velmora_options INTERFACE ${VELMORA_SANITIZER_FLAGS})
    target_link_options(velmora_options INTERFACE ${VELMORA_SANITIZER_FLAGS})
endif()

# Coverage instrumentation for libFuzzer; the fuzz targets link the fuzzer's main.
if(VELMORA_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        message(FATAL_ERROR "VELMORA_FUZZ needs clang (configure with CXX=clang++)")
    endif()
    target_compile_options(velmora_options INTERFACE -fsanitize=fuzzer-no-link)
endif()
