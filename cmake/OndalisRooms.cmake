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
    platform simulation recording graph scene analysis projection mainwindow calculator configfile printing
    exercises app)

# ondalis_floor(<library> [CORE] SOURCES <sources>... LINKS <libraries>...)
# One floor, a static library whose includes are rooted at src/. A CORE floor is checked to
# link no Qt Widgets; any other floor gets them.
function(ondalis_floor library)
    cmake_parse_arguments(F "CORE" "" "SOURCES;LINKS" ${ARGN})
    add_library(${library} STATIC ${F_SOURCES})
    target_include_directories(${library} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${library} PUBLIC ${F_LINKS})
    if(F_CORE)
        set_property(GLOBAL APPEND PROPERTY ONDALIS_CORE_FLOORS ${library})
    else()
        target_link_libraries(${library} PUBLIC Qt6::Widgets)
    endif()
endfunction()

# ondalis_room(<room>
#     [CORE <sources>...]    [CORE_LINKS <libraries>...]
#     [WIDGETS <sources>...] [WIDGETS_LINKS <libraries>...])
# The two floors of a room: ondalis_<room>_core, and ondalis_<room> above it.
function(ondalis_room room)
    cmake_parse_arguments(R "" "" "CORE;CORE_LINKS;WIDGETS;WIDGETS_LINKS" ${ARGN})
    set(core ondalis_${room}_core)
    set(widgets ondalis_${room})
    if(R_CORE)
        ondalis_floor(${core} CORE SOURCES ${R_CORE} LINKS ${R_CORE_LINKS})
    endif()
    if(R_WIDGETS)
        if(R_CORE)
            list(APPEND R_WIDGETS_LINKS ${core})
        endif()
        ondalis_floor(${widgets} SOURCES ${R_WIDGETS} LINKS ${R_WIDGETS_LINKS})
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
