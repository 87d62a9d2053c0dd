# Compile options shared by every Kelvora target.
option(KELVORA_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
set(KELVORA_BUILD_TESTS AUTO CACHE STRING "Build the tests: AUTO (when GoogleTest is found), ON or OFF")
set(KELVORA_BUILD_BENCHMARKS AUTO CACHE STRING "Build the benchmarks: AUTO (when Google Benchmark is found), ON or OFF")
set_property(CACHE KELVORA_BUILD_TESTS KELVORA_BUILD_BENCHMARKS PROPERTY STRINGS AUTO ON OFF)

# Warnings on every target, and no fused multiply-add, so every rounding
# (and so every pixel) is the same on every compiler and processor.
#
# In WebAssembly, exceptions on: the scenes' run-time errors are C++
# exceptions that the viewer model catches (off, a throw would abort the
# whole module). WebAssembly's own exception handling (current Chrome, Edge,
# Firefox, Safari and Node all have it), not -fexceptions' emulation: that
# one sends every call that may throw out to JavaScript and back, which took
# a third of a water scene's capture (52,000 PSet calls a frame).
function(kelvora_target_options target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -ffp-contract=off)
    if(EMSCRIPTEN)
        target_compile_options(${target} PRIVATE -fwasm-exceptions)
        target_link_options(${target} PRIVATE -fwasm-exceptions)
    endif()
    if(KELVORA_SANITIZE)
        target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
        target_link_options(${target} PRIVATE -fsanitize=address,undefined)
    endif()
endfunction()

# kelvora_optional_part(DIR PACKAGE SWITCH): adds the folder DIR, whose
# targets need PACKAGE, as SWITCH says: AUTO when PACKAGE is found, ON
# always (PACKAGE required), OFF never.
macro(kelvora_optional_part dir package switch)
    if(${switch} STREQUAL "ON")
        find_package(${package} REQUIRED)
    elseif(${switch} STREQUAL "AUTO")
        find_package(${package} QUIET)
        if(NOT ${package}_FOUND)
            message(STATUS "${package} not found: ${dir}/ is not built")
        endif()
    endif()
    if(NOT ${switch} STREQUAL "OFF" AND ${package}_FOUND)
        add_subdirectory(${dir})
    endif()
endmacro()
