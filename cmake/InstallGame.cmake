# Run by `cmake --install` around the plain install rules of app/. The game
# keeps its progress (config.ini) in its own folder, so an install must go
# where the player can write, and an update must leave config.ini alone.
cmake_policy(VERSION 3.18)  # install scripts otherwise run with the oldest policies

set(game_dir "share/cratewright")
set(install_dirs "${game_dir}" bin share/applications share/icons/hicolor)

# Refuses a prefix the installing account cannot write, before anything is
# copied: the nearest folder that exists on the way to each destination must
# be writable.
function(cratewright_check_prefix build_dir)
    foreach(dir IN LISTS install_dirs)
        set(path "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/${dir}")
        while(NOT EXISTS "${path}" AND NOT path STREQUAL "")
            get_filename_component(path "${path}" DIRECTORY)
        endwhile()
        if(path STREQUAL "")
            set(path ".")  # a relative prefix starts in the current folder
        endif()
        execute_process(COMMAND test -w "${path}" RESULT_VARIABLE unwritable)
        if(unwritable OR NOT IS_DIRECTORY "${path}")
            message(FATAL_ERROR
                "Cratewright was not installed, since you cannot write to\n"
                "    ${path}\n"
                "The game saves your progress (config.ini) in its own folder, so it must be "
                "installed where you can write. Install it for yourself with\n"
                "    cmake --install ${build_dir} --prefix ~/.local\n"
                "or, from the source folder, with bash setup.sh install")
        endif()
    endforeach()
endfunction()

# After the files: the default progress file only where there is none, the
# command, and the desktop entry, which names the command by its full path
# since PREFIX/bin need not be on the desktop's PATH.
function(cratewright_finish_install source_dir)
    set(prefix "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
    if(NOT EXISTS "${prefix}/${game_dir}/config.ini")
        file(INSTALL "${source_dir}/data/config.ini" DESTINATION "${CMAKE_INSTALL_PREFIX}/${game_dir}")
    else()
        # On standard error, which set-up leaves on the terminal (the file
        # list goes to its log): the player should know their progress stayed.
        message(NOTICE "Kept your progress: ${prefix}/${game_dir}/config.ini")
    endif()

    file(MAKE_DIRECTORY "${prefix}/bin")
    # Relative, so the tree can be moved or staged; the game finds its folder
    # through its own executable, so it runs through the link.
    file(CREATE_LINK "../${game_dir}/cratewright" "${prefix}/bin/cratewright" SYMBOLIC)
    message(STATUS "Linking: ${prefix}/bin/cratewright")

    # Exec quoting of the desktop entry format: the path in double quotes with
    # ", `, $ and \ escaped, then every backslash doubled for the string.
    set(command "${CMAKE_INSTALL_PREFIX}/bin/cratewright")
    string(REPLACE "\\" "\\\\\\\\" command "${command}")
    foreach(special "\"" "`" "$")
        string(REPLACE "${special}" "\\\\${special}" command "${command}")
    endforeach()
    string(REPLACE "%" "%%" command "${command}")
    set(CRATEWRIGHT_COMMAND "\"${command}\"")
    configure_file("${source_dir}/app/cratewright.desktop.in" "${prefix}/share/applications/cratewright.desktop" @ONLY)
    message(STATUS "Writing: ${prefix}/share/applications/cratewright.desktop")
    list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${prefix}/bin/cratewright"
         "${prefix}/share/applications/cratewright.desktop")
    set(CMAKE_INSTALL_MANIFEST_FILES "${CMAKE_INSTALL_MANIFEST_FILES}" PARENT_SCOPE)
endfunction()
