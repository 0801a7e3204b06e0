# Warnings and floating-point settings shared by every target. Files the program writes
# must not depend on the build machine, so no contraction into fused multiply-adds, no
# fast-math and no machine-specific instruction sets.
add_library(velmora_options INTERFACE)
target_compile_options(velmora_options INTERFACE -Wall -Wextra -ffp-contract=off)
if(VELMORA_WERROR)
    target_compile_options(velmora_options INTERFACE -Werror)
endif()
target_compile_definitions(velmora_options INTERFACE VELMORA_VERSION="${PROJECT_VERSION}")
