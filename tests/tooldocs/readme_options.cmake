# cmake -DTOOL=varnet -DREADME=README.md -P readme_options.cmake
# Fails unless every global option of `varnet --help` has a row in README's "| Option |" table
# and every row names an option --help prints.

execute_process(COMMAND ${TOOL} --help OUTPUT_VARIABLE help ERROR_VARIABLE help_error
                RESULT_VARIABLE help_result)
if(NOT help_result EQUAL 0)
    message(FATAL_ERROR "${TOOL} --help failed (${help_result}): ${help_error}")
endif()

# Global options sit between "Options:" and the next heading, one a line: "  -h,--help  ...".
set(help_options)
set(in_options FALSE)
string(REPLACE "\n" ";" help_lines "${help}")
foreach(line IN LISTS help_lines)
    if(line MATCHES "^Options:")
        set(in_options TRUE)
    elseif(line MATCHES "^[A-Za-z]")
        set(in_options FALSE)
    elseif(in_options AND line MATCHES "^  (-[A-Za-z0-9],)?(--[A-Za-z0-9-]+)")
        list(APPEND help_options "${CMAKE_MATCH_2}")
    endif()
endforeach()

# The table's rows: the first cell names the option ("`--root DIR`", "`-h`, `--help`").
file(STRINGS ${README} readme_lines)
set(readme_options)
set(in_table FALSE)
foreach(line IN LISTS readme_lines)
    if(line MATCHES "^\\| Option \\|")
        set(in_table TRUE)
    elseif(in_table AND NOT line MATCHES "^\\|")
        break()
    elseif(in_table)
        # An escaped pipe ("auto\|cui") belongs to the cell.
        string(REPLACE "\\|" "/" line "${line}")
        if(line MATCHES "^\\| ([^|]*)\\|")
            string(REGEX MATCHALL "--[A-Za-z0-9-]+" named "${CMAKE_MATCH_1}")
            list(APPEND readme_options ${named})
        endif()
    endif()
endforeach()

foreach(kind help readme)
    if(NOT ${kind}_options)
        message(FATAL_ERROR "no options found in the ${kind} text: has its layout changed?")
    endif()
    list(REMOVE_DUPLICATES ${kind}_options)
endforeach()

set(only_help ${help_options})
list(REMOVE_ITEM only_help ${readme_options})
set(only_readme ${readme_options})
list(REMOVE_ITEM only_readme ${help_options})
if(only_help OR only_readme)
    message(FATAL_ERROR "README's option table and varnet --help disagree\n"
                        "  in --help, not in README: ${only_help}\n"
                        "  in README, not in --help: ${only_readme}")
endif()
list(LENGTH help_options count)
message(STATUS "README lists the ${count} options of varnet --help")
