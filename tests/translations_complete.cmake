# SPDX-License-Identifier: GPL-3.0-or-later
# Every text the program shows has its translation: lupdate, run over the
# sources into a copy of each .ts file, finds no text new to it or untranslated.
# It also fails when lupdate reads the sources in another encoding than UTF-8,
# as none of the Japanese texts would then be found.
#   cmake -DLUPDATE=lupdate -DSOURCES=LIST_FILE -DOUT=DIR -P translations_complete.cmake TS...
set(faults "")
math(EXPR last "${CMAKE_ARGC} - 1")
foreach(i RANGE 4 ${last})
    if(NOT CMAKE_ARGV${i} MATCHES "\\.ts$")
        continue()
    endif()
    set(ts "${CMAKE_ARGV${i}}")
    get_filename_component(name "${ts}" NAME)
    file(MAKE_DIRECTORY "${OUT}")
    configure_file("${ts}" "${OUT}/${name}" COPYONLY)
    execute_process(COMMAND "${LUPDATE}" -locations none "@${SOURCES}" -ts "${OUT}/${name}"
        RESULT_VARIABLE code OUTPUT_VARIABLE output ERROR_VARIABLE errors)
    if(NOT code EQUAL 0)
        message(FATAL_ERROR "lupdate failed on ${name}: ${errors}")
    endif()
    file(READ "${OUT}/${name}" text)
    string(REGEX MATCHALL "<source>[^<]*</source>[ \n]*<translation type=\"unfinished\"" missing "${text}")
    foreach(message IN LISTS missing)
        string(REGEX REPLACE "^<source>([^<]*)</source>.*$" "\\1" source "${message}")
        string(APPEND faults "  ${name}: ${source}\n")
    endforeach()
endforeach()
if(faults)
    message(FATAL_ERROR "texts without a translation (cmake --build BUILD --target update_translations, then translate):\n${faults}")
endif()
