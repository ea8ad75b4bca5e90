# Warnings and sanitizers shared by every target of the project.
add_library(varnet_options INTERFACE)
target_compile_options(varnet_options INTERFACE -Wall -Wextra -Wshadow -Wnon-virtual-dtor
                                                -Wno-missing-field-initializers)
if(VARNET_WERROR)
    target_compile_options(varnet_options INTERFACE -Werror)
endif()
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    # GCC 12 at -O2 and above reports std::string appends as overlapping copies (GCC bug 105651).
    target_compile_options(varnet_options INTERFACE -Wno-restrict)
endif()
if(WIN32)
    # The library calls the A and W functions by their full names; no UNICODE switch is set.
    target_compile_definitions(varnet_options INTERFACE WIN32_LEAN_AND_MEAN NOMINMAX
                                                        _WIN32_WINNT=0x0A00)
    # A DLL or program that needs nothing but system DLLs at run time.
    target_link_options(varnet_options INTERFACE -static -static-libgcc -static-libstdc++)
endif()
if(VARNET_SANITIZE)
    target_compile_options(varnet_options INTERFACE -fsanitize=address,undefined
                                                    -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_link_options(varnet_options INTERFACE -fsanitize=address,undefined)
endif()
if(VARNET_TSAN)
    target_compile_options(varnet_options INTERFACE -fsanitize=thread -fno-omit-frame-pointer)
    target_link_options(varnet_options INTERFACE -fsanitize=thread)
endif()

# Splits a list of sources into the ones for this platform: *_win32.cpp only on Windows,
# *_host.cpp only on the host.
function(varnet_platform_sources out)
    set(result)
    foreach(f ${ARGN})
        if(f MATCHES "_win32\\.cpp$" AND NOT WIN32)
            continue()
        endif()
        if(f MATCHES "_host\\.cpp$" AND WIN32)
            continue()
        endif()
        list(APPEND result ${f})
    endforeach()
    set(${out} ${result} PARENT_SCOPE)
endfunction()
