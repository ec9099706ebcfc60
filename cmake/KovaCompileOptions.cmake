# Compiler warnings and sanitizers for every target of this project (the libraries under
# contracts/ and stageeditor/, the host program, the tests and the benchmarks). Qt's headers
# come in as system includes, so its own warnings stay out of the output.
#
#   KOVA_WERROR    turns every warning into an error; on by default when CI=true
#   KOVA_SANITIZE  comma-separated sanitizers for compiling and linking, e.g. address,undefined

set(_kova_werror_default OFF)
if("$ENV{CI}" STREQUAL "true")
    set(_kova_werror_default ON)
endif()
option(KOVA_WERROR "Treat compiler warnings as errors" ${_kova_werror_default})
set(KOVA_SANITIZE "" CACHE STRING "Sanitizers to build with, e.g. address,undefined")

if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    add_compile_options(
        -Wall -Wextra -Wpedantic
        -Wshadow                        # a local hiding a member or an outer variable
        -Wnon-virtual-dtor              # a polymorphic class deleted through its base
        -Woverloaded-virtual            # an override that hides the base's other overloads
        -Wsuggest-override              # an override not marked as one
        -Wcast-qual                     # a cast that drops const
        -Wold-style-cast                # C casts, which may reinterpret or drop const unseen
        -Wzero-as-null-pointer-constant # 0 or NULL as a null pointer
        -Wformat=2                      # printf-style formats that are not literals
        -Wundef)                        # #if on an undefined macro
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
        add_compile_options(
            -Wduplicated-cond    # else-if chains testing the same condition twice
            -Wlogical-op)        # && / || on the same operand, or on a constant
    endif()
    if(KOVA_WERROR)
        add_compile_options(-Werror)
    endif()
endif()

if(KOVA_SANITIZE)
    add_compile_options(-fsanitize=${KOVA_SANITIZE} -fno-omit-frame-pointer
                        -fno-sanitize-recover=all)
    add_link_options(-fsanitize=${KOVA_SANITIZE})
endif()
