# SPDX-License-Identifier: GPL-3.0-or-later
#
# The folders depend one way: app -> game -> haptics -> common. Each folder is
# a library of its own, and this check makes an include that goes the wrong
# way fail the build of that library, before anything links:
#
#   pelnori_check_layering(TARGET FOLDER ALLOWED...)
#
# looks at every source file of TARGET and refuses an include of a project
# header from a folder that is not among FOLDER and ALLOWED.
#
# Run as a script (cmake -P) it does the checking itself.

set(PELNORI_LAYERED_FOLDERS app game haptics common)

if(CMAKE_SCRIPT_MODE_FILE)
    cmake_minimum_required(VERSION 3.25)
    # -DFOLDER=… -DALLOWED=a|b -DSOURCES=x|y -DSTAMP=file
    string(REPLACE "|" ";" ALLOWED "${ALLOWED}")
    string(REPLACE "|" ";" SOURCES "${SOURCES}")
    set(faults "")
    foreach(source IN LISTS SOURCES)
        file(STRINGS "${source}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[a-z]+/")
        foreach(line IN LISTS includes)
            string(REGEX REPLACE "^[^\"]*\"([a-z]+)/.*$" "\\1" folder "${line}")
            if(folder IN_LIST PELNORI_LAYERED_FOLDERS AND NOT folder IN_LIST ALLOWED)
                string(APPEND faults "  ${source}: ${line}\n")
            endif()
        endforeach()
    endforeach()
    if(faults)
        message(FATAL_ERROR "${FOLDER}/ may include only from ${ALLOWED}; wrong-way includes:\n${faults}")
    endif()
    file(TOUCH "${STAMP}")
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
        COMMAND ${CMAKE_COMMAND} -DFOLDER=${folder} "-DALLOWED=${allowed_arg}" "-DSOURCES=${sources_arg}"
                "-DSTAMP=${stamp}" -P "${PROJECT_SOURCE_DIR}/cmake/Layering.cmake"
        DEPENDS ${paths} "${PROJECT_SOURCE_DIR}/cmake/Layering.cmake"
        COMMENT "Checking that ${folder}/ includes only from ${allowed}"
        VERBATIM)
    add_custom_target(${target}_layering DEPENDS "${stamp}")
    add_dependencies(${target} ${target}_layering)
endfunction()
