# The layer check: a source of a library may include only headers of its own library and
# of the libraries below it, and no engine or kit source includes Qt. The libraries, lowest
# first, are given to norvel_check_layers (the engine and the kit first, then after WINDOWS
# the window libraries, which may use Qt); a header belongs to the library whose source of
# the same name it declares (or, header-only, to the library of its folder; ZelBase.h to
# zel_base). The check runs as part of every build and fails it on a wrong include.

function(norvel_check_layers)
    set(manifest "")
    set(checked_files "")
    set(rank 0)
    set(qt "noqt")
    foreach(target IN LISTS ARGN)
        if(target STREQUAL "WINDOWS")
            set(qt "qt")
            continue()
        endif()
        get_target_property(folder ${target} SOURCE_DIR)
        get_target_property(sources ${target} SOURCES)
        foreach(source IN LISTS sources)
            get_filename_component(name ${source} NAME_WE)
            set(path ${folder}/${source})
            string(APPEND manifest "${rank} ${target} ${qt} ${path}\n")
            list(APPEND checked_files ${path})
            if(EXISTS ${folder}/${name}.h)
                string(APPEND manifest "${rank} ${target} ${qt} ${folder}/${name}.h\n")
                list(APPEND checked_files ${folder}/${name}.h)
            endif()
        endforeach()
        math(EXPR rank "${rank} + 1")
    endforeach()
    # Headers without a source of their own.
    set(header_only
        "0 zel_base noqt ${PROJECT_SOURCE_DIR}/src/Shared/ZelBase.h"
        "2 zel_shared noqt ${PROJECT_SOURCE_DIR}/src/Shared/ZelHistory.h"
        "2 zel_shared noqt ${PROJECT_SOURCE_DIR}/src/Shared/ZelSpeller.h"
        "2 zel_shared noqt ${PROJECT_SOURCE_DIR}/src/Shared/ZelWordChecker.h"
        "2 zel_shared noqt ${PROJECT_SOURCE_DIR}/src/Shared/ZelXML.h"
        "3 zel_fmorph noqt ${PROJECT_SOURCE_DIR}/src/FMorphF/ZelMorph.h"
        "3 zel_fmorph noqt ${PROJECT_SOURCE_DIR}/src/FMorphF/ZelMorphAutomaMatch.h")
    foreach(entry IN LISTS header_only)
        string(APPEND manifest "${entry}\n")
        string(REGEX REPLACE "^[0-9]+ [a-z0-9_]+ [a-z]+ " "" path "${entry}")
        list(APPEND checked_files ${path})
    endforeach()
    set(manifest_file ${CMAKE_BINARY_DIR}/layers.txt)
    file(WRITE ${manifest_file} "${manifest}")
    set(stamp ${CMAKE_BINARY_DIR}/layers.checked)
    add_custom_command(
        OUTPUT ${stamp}
        COMMAND ${CMAKE_COMMAND} -DMANIFEST=${manifest_file} -DSTAMP=${stamp}
                -P ${PROJECT_SOURCE_DIR}/cmake/CheckLayers.cmake
        DEPENDS ${checked_files} ${PROJECT_SOURCE_DIR}/cmake/CheckLayers.cmake ${manifest_file}
        COMMENT "Checking that no library includes a layer above its own"
        VERBATIM)
    add_custom_target(check_layers ALL DEPENDS ${stamp})
endfunction()
