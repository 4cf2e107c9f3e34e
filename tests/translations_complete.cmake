# SPDX-License-Identifier: GPL-3.0-or-later
# Every text the program shows has its translation in TS: lupdate, run over
# the sources into a copy of it, finds no text new to it or untranslated. It
# also fails when lupdate reads the sources in another encoding than UTF-8, as
# none of the Japanese texts would then be found.
#   cmake -DLUPDATE=lupdate -DSOURCES=LIST_FILE -DTS=FILE -DOUT=DIR -P translations_complete.cmake
get_filename_component(name "${TS}" NAME)
configure_file("${TS}" "${OUT}/${name}" COPYONLY)
execute_process(COMMAND "${LUPDATE}" -locations none "@${SOURCES}" -ts "${OUT}/${name}"
    RESULT_VARIABLE code ERROR_VARIABLE errors OUTPUT_QUIET)
if(NOT code EQUAL 0)
    message(FATAL_ERROR "lupdate failed: ${errors}")
endif()
file(READ "${OUT}/${name}" text)
string(REGEX MATCHALL "<source>[^<]*</source>[ \n]*<translation type=\"unfinished\"" missing "${text}")
if(missing)
    list(TRANSFORM missing REPLACE "^<source>([^<]*)</source>.*$" "  \\1\n")
    string(JOIN "" missing ${missing})
    message(FATAL_ERROR "texts without a translation in ${name} "
                        "(cmake --build BUILD --target update_translations, then translate):\n${missing}")
endif()
