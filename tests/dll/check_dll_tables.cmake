# Reads Varnet.dll's export and import tables and fails on a missing or extra export, or on an
# import from anything but a system DLL.
#   cmake -DDLL=... -DOBJDUMP=... -DEXPECTED=... -P check_dll_tables.cmake
cmake_minimum_required(VERSION 3.25)
execute_process(COMMAND ${OBJDUMP} -p ${DLL} OUTPUT_VARIABLE dump RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "objdump failed on ${DLL}")
endif()

# Exports: the name pointer table lists "[   n] Name" lines.
string(REGEX MATCH "\\[Ordinal/Name Pointer\\] Table[^\n]*\n(.*)" tail "${dump}")
set(exports)
string(REPLACE "\n" ";" lines "${CMAKE_MATCH_1}")
foreach(line ${lines})
    if(line MATCHES "^[ \t]*\\[ *[0-9]+\\] ([A-Za-z0-9_@]+)$")
        list(APPEND exports ${CMAKE_MATCH_1})
    elseif(exports AND NOT line MATCHES "^[ \t]*$")
        break()
    endif()
endforeach()
list(SORT exports)
file(STRINGS ${EXPECTED} expected)
list(SORT expected)
set(missing ${expected})
list(REMOVE_ITEM missing ${exports})
set(extra ${exports})
list(REMOVE_ITEM extra ${expected})
list(LENGTH exports count)
list(LENGTH expected expected_count)

# Imports: every "DLL Name:" must be a system DLL.
set(allowed kernel32.dll advapi32.dll ole32.dll oleaut32.dll shell32.dll shlwapi.dll user32.dll
            msvcrt.dll api-ms-win-crt-runtime-l1-1-0.dll ucrtbase.dll)
string(REGEX MATCHALL "DLL Name: [^\n]+" import_lines "${dump}")
set(bad_imports)
set(imports)
foreach(line ${import_lines})
    string(REGEX REPLACE "DLL Name: " "" name "${line}")
    string(STRIP "${name}" name)
    string(TOLOWER "${name}" lower)
    list(APPEND imports ${lower})
    if(NOT lower IN_LIST allowed AND NOT lower MATCHES "^api-ms-win-crt-")
        list(APPEND bad_imports ${name})
    endif()
endforeach()

message(STATUS "exports: ${count} (expected ${expected_count}); imports: ${imports}")
if(missing OR extra OR bad_imports)
    message(FATAL_ERROR "missing exports: ${missing}\nextra exports: ${extra}\n"
                        "imports from non-system DLLs: ${bad_imports}")
endif()
