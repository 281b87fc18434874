# Checks that the sources of one layer include only headers of the folders
# that layer may use: its own and those of the libraries it links.
#
#   cmake -DLAYER=name -DSOURCES=a.cpp;b.h -DALLOWED=qmx;foundation
#         -DSTAMP=path -P check_layer_includes.cmake
#
# Run as a build step of every layer library, so an include that runs up a
# layer (or sideways to a library not linked) fails the build at once, with
# the file and line that does it.
cmake_minimum_required(VERSION 3.22)
set(violations "")
foreach(source IN LISTS SOURCES)
    file(STRINGS "${source}" lines REGEX "^[ \t]*#[ \t]*include[ \t]+\"")
    foreach(line IN LISTS lines)
        if(NOT line MATCHES "#[ \t]*include[ \t]+\"([^\"]+)\"")
            continue()
        endif()
        set(header "${CMAKE_MATCH_1}")
        get_filename_component(folder "${header}" DIRECTORY)
        if(folder STREQUAL "" OR folder IN_LIST ALLOWED)
            continue()
        endif()
        string(APPEND violations
               "${source}: includes \"${header}\", but ${LAYER} may use only: ${ALLOWED}\n")
    endforeach()
endforeach()
if(violations)
    message(FATAL_ERROR "Layering violation:\n${violations}"
                        "Link the library that owns the header, or move the code down a layer.")
endif()
file(WRITE "${STAMP}" "${LAYER}: includes checked\n")
