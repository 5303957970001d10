# Installed layout and the program folder.
#
# The program folder holds the files the program finds by name: the handshake file
# "ZANTEK.TMP", the getting-started file "SPIREX.PEM" and the exercise pack. In the build tree
# it is the executable's folder; installed, it is <prefix>/share/ondalis, found from the
# executable's folder through the relative path ONDALIS_PROGRAM_DIR_FROM_BIN, so that an
# installed tree may be moved (DESTDIR, another prefix).
include(GNUInstallDirs)

set(ONDALIS_PROGRAM_BUILD_DIR ${PROJECT_BINARY_DIR}/src/app)
set(ONDALIS_INSTALL_PROGRAM_DIR ${CMAKE_INSTALL_DATADIR}/ondalis)
file(RELATIVE_PATH ONDALIS_PROGRAM_DIR_FROM_BIN /${CMAKE_INSTALL_BINDIR}
     /${ONDALIS_INSTALL_PROGRAM_DIR})

# The installed program folder exists even when no data file is installed into it: its
# presence is what tells an installed executable where its files are.
install(DIRECTORY DESTINATION ${ONDALIS_INSTALL_PROGRAM_DIR})

# ondalis_program_data(<target> <file or folder>...)
#
# Data the program finds in its program folder. Each file, and each folder with all it
# holds, is copied beside the executable in the build tree by the target <target> (part of
# the default build, kept up to date when a source changes) and installed into the installed
# program folder. Paths are relative to the calling CMakeLists.txt. Example, for an exercise
# pack in data/exercices/ and the getting-started file:
#     ondalis_program_data(exercise_pack SPIREX.PEM exercices)
function(ondalis_program_data target)
    set(outputs)
    foreach(item IN LISTS ARGN)
        get_filename_component(source ${item} ABSOLUTE)
        get_filename_component(name ${source} NAME)
        if(IS_DIRECTORY ${source})
            file(GLOB_RECURSE files CONFIGURE_DEPENDS RELATIVE ${source} ${source}/*)
            set(sources)
            foreach(f IN LISTS files)
                list(APPEND sources ${source}/${f})
            endforeach()
            add_custom_command(
                OUTPUT ${ONDALIS_PROGRAM_BUILD_DIR}/${name}.stamp
                COMMAND ${CMAKE_COMMAND} -E copy_directory ${source}
                        ${ONDALIS_PROGRAM_BUILD_DIR}/${name}
                COMMAND ${CMAKE_COMMAND} -E touch ${ONDALIS_PROGRAM_BUILD_DIR}/${name}.stamp
                DEPENDS ${sources}
                COMMENT "Copying ${name}/ into the program folder"
                VERBATIM)
            list(APPEND outputs ${ONDALIS_PROGRAM_BUILD_DIR}/${name}.stamp)
            install(DIRECTORY ${source} DESTINATION ${ONDALIS_INSTALL_PROGRAM_DIR})
        else()
            add_custom_command(
                OUTPUT ${ONDALIS_PROGRAM_BUILD_DIR}/${name}
                COMMAND ${CMAKE_COMMAND} -E make_directory ${ONDALIS_PROGRAM_BUILD_DIR}
                COMMAND ${CMAKE_COMMAND} -E copy ${source} ${ONDALIS_PROGRAM_BUILD_DIR}/${name}
                DEPENDS ${source}
                COMMENT "Copying ${name} into the program folder"
                VERBATIM)
            list(APPEND outputs ${ONDALIS_PROGRAM_BUILD_DIR}/${name})
            install(FILES ${source} DESTINATION ${ONDALIS_INSTALL_PROGRAM_DIR})
        endif()
    endforeach()
    add_custom_target(${target} ALL DEPENDS ${outputs})
endfunction()
