# SPDX-License-Identifier: GPL-3.0-or-later
#
# The folders depend one way:
#
#   app -> game -> common
#   app -> device -> effects, input (and common, whose contract it fulfils)
#   app -> translations
#
# Each folder is a library of its own, and this check makes an include that
# goes the wrong way fail the build of that library, before anything links:
#
#   pelnori_check_layering(TARGET FOLDER ALLOWED...)
#
# looks at every source file of TARGET and refuses an include of a project
# header from a folder that is not among FOLDER and ALLOWED. An include is
# found wherever the compiler would find it, whatever its spelling:
# "game/game.h", <game/game.h>, "../game/game.h", "./../game//game.h" all name
# game/game.h.
#
# Run as a script (cmake -P) it does the checking itself.

set(PELNORI_LAYERED_FOLDERS app game device effects input common translations)

if(CMAKE_SCRIPT_MODE_FILE)
    cmake_minimum_required(VERSION 3.25)
    # -DROOT=dir -DFOLDER=… -DALLOWED=a|b -DSOURCES=x|y [-DSTAMP=file]
    string(REPLACE "|" ";" ALLOWED "${ALLOWED}")
    string(REPLACE "|" ";" SOURCES "${SOURCES}")
    set(faults "")
    foreach(source IN LISTS SOURCES)
        file(STRINGS "${source}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
        get_filename_component(here "${source}" DIRECTORY)
        foreach(line IN LISTS includes)
            string(REGEX REPLACE "^[^<\"]*[<\"]([^>\"]*)[>\"].*$" "\\1" spelled "${line}")
            # A quoted include is looked for beside the including file first;
            # then, like an angle include, from the project's root, the one
            # include folder the project's libraries share.
            set(found "")
            if(line MATCHES "include[ \t]*\"" AND EXISTS "${here}/${spelled}")
                set(found "${here}/${spelled}")
            elseif(EXISTS "${ROOT}/${spelled}")
                set(found "${ROOT}/${spelled}")
            endif()
            if(NOT found)
                continue() # a header from outside the project
            endif()
            get_filename_component(found "${found}" ABSOLUTE)
            file(RELATIVE_PATH inside "${ROOT}" "${found}")
            string(REGEX MATCH "^[^/]+" folder "${inside}")
            if(folder IN_LIST PELNORI_LAYERED_FOLDERS AND NOT folder IN_LIST ALLOWED)
                string(APPEND faults "  ${source}: ${line}\n")
            endif()
        endforeach()
    endforeach()
    if(faults)
        message(FATAL_ERROR "${FOLDER}/ may include only from ${ALLOWED}; wrong-way includes:\n${faults}")
    endif()
    if(STAMP)
        file(TOUCH "${STAMP}")
    endif()
    return()
endif()

function(pelnori_check_layering target folder)
    get_target_property(sources ${target} SOURCES)
    get_target_property(source_dir ${target} SOURCE_DIR)
    set(paths "")
    foreach(source IN LISTS sources)
        if(NOT IS_ABSOLUTE "${source}")
            set(source "${source_dir}/${source}")
        endif()
        list(APPEND paths "${source}")
    endforeach()
    set(allowed ${folder} ${ARGN})
    set(stamp "${CMAKE_CURRENT_BINARY_DIR}/${target}.layering")
    string(REPLACE ";" "|" sources_arg "${paths}")
    string(REPLACE ";" "|" allowed_arg "${allowed}")
    add_custom_command(OUTPUT "${stamp}"
        COMMAND ${CMAKE_COMMAND} "-DROOT=${PROJECT_SOURCE_DIR}" -DFOLDER=${folder} "-DALLOWED=${allowed_arg}"
                "-DSOURCES=${sources_arg}" "-DSTAMP=${stamp}" -P "${PROJECT_SOURCE_DIR}/cmake/Layering.cmake"
        DEPENDS ${paths} "${PROJECT_SOURCE_DIR}/cmake/Layering.cmake"
        COMMENT "Checking that ${folder}/ includes only from ${allowed}"
        VERBATIM)
    add_custom_target(${target}_layering DEPENDS "${stamp}")
    add_dependencies(${target} ${target}_layering)
endfunction()
