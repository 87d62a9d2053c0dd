# Compile options shared by every Kelvora target.
option(KELVORA_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(KELVORA_BUILD_BENCHMARKS "Build the Google Benchmark programs" ON)

# Warnings on every target, and no fused multiply-add, so every rounding
# (and so every pixel) is the same on every compiler and processor.
function(kelvora_target_options target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -ffp-contract=off)
    if(KELVORA_SANITIZE)
        target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
        target_link_options(${target} PRIVATE -fsanitize=address,undefined)
    endif()
endfunction()
