# Rooms and floors.
#
# Each folder of src/ is a room: one subsystem of the program. A room has up to two floors,
# each a static library:
#   ondalis_<room>_core  what needs no window (Qt Core, or Qt Gui where it draws): the models,
#                        the file formats, the drawing. Its tests run without a widget.
#   ondalis_<room>       the widgets above it (sources in the room's widgets/ folder).
# A room without widgets still answers to ondalis_<room>, an alias of its core.
# Every include is rooted at src/ ("simulation/motion.h", "simulation/widgets/parameterspanel.h"),
# so that it says which room a header comes from.

# The rooms of src/, in the order they build on one another. The tests follow the same list.
set(ONDALIS_ROOMS
    platform simulation recording graph scene mainwindow calculator configfile printing
    exercises app)

# ondalis_room(<room>
#     [CORE <sources>...]    [CORE_LINKS <libraries>...]
#     [WIDGETS <sources>...] [WIDGETS_LINKS <libraries>...])
function(ondalis_room room)
    cmake_parse_arguments(R "" "" "CORE;CORE_LINKS;WIDGETS;WIDGETS_LINKS" ${ARGN})
    set(core ondalis_${room}_core)
    set(widgets ondalis_${room})
    if(R_CORE)
        add_library(${core} STATIC ${R_CORE})
        target_include_directories(${core} PUBLIC ${PROJECT_SOURCE_DIR}/src)
        target_link_libraries(${core} PUBLIC ${R_CORE_LINKS})
        set_property(GLOBAL APPEND PROPERTY ONDALIS_CORE_FLOORS ${core})
    endif()
    if(R_WIDGETS)
        add_library(${widgets} STATIC ${R_WIDGETS})
        target_include_directories(${widgets} PUBLIC ${PROJECT_SOURCE_DIR}/src)
        if(R_CORE)
            target_link_libraries(${widgets} PUBLIC ${core})
        endif()
        target_link_libraries(${widgets} PUBLIC ${R_WIDGETS_LINKS} Qt6::Widgets)
    elseif(R_CORE)
        add_library(${widgets} ALIAS ${core})
    else()
        message(FATAL_ERROR "The room ${room} has neither a core nor widgets")
    endif()
endfunction()

# Sets <out> to the chain of libraries through which <target> reaches Qt6::Widgets, or to an
# empty string when it does not.
function(_ondalis_widgets_chain target out)
    set(${out} "" PARENT_SCOPE)
    if(target STREQUAL "Qt6::Widgets")
        set(${out} "Qt6::Widgets" PARENT_SCOPE)
        return()
    endif()
    if(NOT TARGET ${target})
        return()
    endif()
    get_target_property(aliased ${target} ALIASED_TARGET)
    if(aliased)
        set(target ${aliased})
    endif()
    get_target_property(links ${target} INTERFACE_LINK_LIBRARIES)
    get_target_property(type ${target} TYPE)
    if(NOT type STREQUAL "INTERFACE_LIBRARY")
        get_target_property(own ${target} LINK_LIBRARIES)
        if(own)
            list(APPEND links ${own})
        endif()
    endif()
    foreach(link IN LISTS links)
        # Static libraries name their private links as $<LINK_ONLY:...>.
        string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" link "${link}")
        if(link MATCHES "^\\$<" OR link STREQUAL "links-NOTFOUND" OR link STREQUAL "own-NOTFOUND")
            continue()
        endif()
        _ondalis_widgets_chain(${link} chain)
        if(chain)
            set(${out} "${target} -> ${chain}" PARENT_SCOPE)
            return()
        endif()
    endforeach()
endfunction()

# Fails the configuration when a core floor links Qt Widgets, directly or through another
# library. Called once every room is made.
function(ondalis_check_core_floors)
    get_property(cores GLOBAL PROPERTY ONDALIS_CORE_FLOORS)
    foreach(core IN LISTS cores)
        _ondalis_widgets_chain(${core} chain)
        if(chain)
            message(FATAL_ERROR "${core} is a floor without widgets but links Qt Widgets: ${chain}")
        endif()
    endforeach()
endfunction()
