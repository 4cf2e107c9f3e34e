# SPDX-License-Identifier: GPL-3.0-or-later
# The window reads the same, to the pixel, whatever the desktop's locale: it
# is drawn offscreen under each locale and every picture must equal the
# first. A Japanese locale once gave the counters' labels a larger face,
# cut off at the bottom, and the path box a fixed-pitch one.
#   cmake -DREFERENCE=x11_reference -DFOLDER=PROGRAM_FOLDER -DOUT=DIR -P same_in_every_locale.cmake
execute_process(COMMAND locale -a OUTPUT_VARIABLE locales)
if(NOT locales MATCHES "ja_JP\\.utf8")
    message(FATAL_ERROR "the locale ja_JP.UTF-8 is not generated on this machine: run tools/setup.sh --tests")
endif()

file(MAKE_DIRECTORY ${OUT})
foreach(locale C C.UTF-8 ja_JP.UTF-8)
    set(picture ${OUT}/window-${locale}.png)
    execute_process(
        COMMAND ${CMAKE_COMMAND} -E env --unset=LC_ALL --unset=LC_CTYPE --unset=LC_MESSAGES --unset=LANGUAGE
                --unset=FC_LANG LANG=${locale} QT_QPA_PLATFORM=offscreen ${REFERENCE} ${picture} ${FOLDER}
        RESULT_VARIABLE code OUTPUT_VARIABLE faces ERROR_VARIABLE errors)
    if(NOT code EQUAL 0)
        message(FATAL_ERROR "no picture under ${locale}: ${errors}")
    endif()
    string(REPLACE "\n" ", " faces "${faces}")
    message(STATUS "${locale}: ${faces}")
    file(SHA256 ${picture} sum)
    if(NOT DEFINED first_sum)
        set(first_sum ${sum})
    elseif(NOT sum STREQUAL first_sum)
        message(FATAL_ERROR "the window under ${locale} differs from the window under C: see ${OUT}")
    endif()
endforeach()
