# Keeps the rules of the game apart from the windows. The logic library may link Qt Core
# and nothing else, and its files may include only Qt Core's headers, the standard
# library's and each other. The links are checked when the build is configured; the
# includes every time a file of the library changes, before it is compiled.
#
# Run as a script (cmake -P) it checks the includes: SOURCES lists the library's files
# separated by |, CORE_HEADERS is Qt Core's header folder, STAMP is touched when all is well.

if(CMAKE_SCRIPT_MODE_FILE)
    string(REPLACE "|" ";" SOURCES "${SOURCES}")
    foreach(file IN LISTS SOURCES)
        file(STRINGS "${file}" includes REGEX "^[ \t]*#[ \t]*include")
        foreach(line IN LISTS includes)
            if(line MATCHES "<(Q[^>]*)>")
                # A Qt header: one of Qt Core's, by its class name or as QtCore/Name.
                set(header "${CMAKE_MATCH_1}")
                string(REGEX REPLACE "^QtCore/" "" header "${header}")
                if(header MATCHES "/" OR NOT EXISTS "${CORE_HEADERS}/${header}")
                    message(FATAL_ERROR "${file}: <${CMAKE_MATCH_1}> is not a Qt Core header; "
                                        "the game's logic works without windows")
                endif()
            elseif(line MATCHES "\"([^\"]*)\"")
                # One of the project's files: it must belong to the logic library too.
                set(header "${CMAKE_MATCH_1}")
                set(found FALSE)
                foreach(source IN LISTS SOURCES)
                    string(LENGTH "${header}" length)
                    string(LENGTH "${source}" source_length)
                    if(source_length GREATER_EQUAL length)
                        math(EXPR start "${source_length} - ${length}")
                        string(SUBSTRING "${source}" ${start} -1 tail)
                        if(tail STREQUAL "/${header}" OR tail STREQUAL "${header}")
                            set(found TRUE)
                        endif()
                    endif()
                endforeach()
                if(NOT found)
                    message(FATAL_ERROR "${file}: \"${header}\" is not part of the game's logic")
                endif()
            endif()
        endforeach()
    endforeach()
    file(TOUCH "${STAMP}")
    return()
endif()

function(tessarin_check_logic_library target)
    foreach(property LINK_LIBRARIES INTERFACE_LINK_LIBRARIES)
        get_target_property(links ${target} ${property})
        if(NOT links STREQUAL "Qt6::Core")
            message(FATAL_ERROR "${target} must link Qt6::Core alone, but its ${property} are: ${links}")
        endif()
    endforeach()

    get_target_property(source_dir ${target} SOURCE_DIR)
    get_target_property(sources ${target} SOURCES)
    list(TRANSFORM sources PREPEND "${source_dir}/" REGEX "^[^/]")
    list(JOIN sources "|" source_list)
    get_target_property(core_dirs Qt6::Core INTERFACE_INCLUDE_DIRECTORIES)
    list(FILTER core_dirs INCLUDE REGEX "/QtCore$")
    list(GET core_dirs 0 core_headers)

    set(stamp "${CMAKE_CURRENT_BINARY_DIR}/${target}_includes.stamp")
    add_custom_command(OUTPUT "${stamp}"
        COMMAND ${CMAKE_COMMAND} "-DSOURCES=${source_list}" "-DCORE_HEADERS=${core_headers}" "-DSTAMP=${stamp}"
                -P "${CMAKE_CURRENT_FUNCTION_LIST_FILE}"
        DEPENDS ${sources} "${CMAKE_CURRENT_FUNCTION_LIST_FILE}"
        COMMENT "Checking that ${target} includes no window headers"
        VERBATIM)
    add_custom_target(${target}_includes DEPENDS "${stamp}")
    add_dependencies(${target} ${target}_includes)
endfunction()
