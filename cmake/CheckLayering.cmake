# Fails the build when a file includes a header of a layer above its own.
# The layers, from the bottom: store, platform, engine, print, print/ui,
# screens, app. The command-line tool stands on print and below.
# Run with -DSOURCE_DIR=<the project's root>.

# folder -> the folders its files may include from
set(allowed_store    store)
set(allowed_platform platform store)  # the store's safe file replacement
set(allowed_engine   engine store platform)
set(allowed_print    print engine store platform)
set(allowed_print_ui print/ui print engine store platform)
set(allowed_screens  screens print/ui print engine store platform)
set(allowed_tools    tools print engine store platform)
# What a screen may know of the app: the seams it is handed, never the menu.
set(screen_app_headers app/appcontext.h app/confirmation.h app/picturefilechooser.h)

set(problems "")
foreach(layer store platform engine print print_ui screens tools)
    string(REPLACE "_" "/" folder ${layer})
    file(GLOB_RECURSE files ${SOURCE_DIR}/${folder}/*.h ${SOURCE_DIR}/${folder}/*.cpp)
    foreach(file IN LISTS files)
        file(RELATIVE_PATH relative ${SOURCE_DIR} ${file})
        # print/ui has rules of its own.
        if(layer STREQUAL "print" AND relative MATCHES "^print/ui/")
            continue()
        endif()
        file(STRINGS ${file} includes REGEX "^#include \"[a-z_]+/")
        foreach(line IN LISTS includes)
            string(REGEX REPLACE "^#include \"([^\"]+)\".*" "\\1" header "${line}")
            if(header MATCHES "^print/ui/")
                set(top print/ui)
            else()
                string(REGEX REPLACE "/.*" "" top "${header}")
            endif()
            list(FIND allowed_${layer} ${top} index)
            if(index EQUAL -1)
                list(FIND screen_app_headers ${header} app_index)
                if(layer STREQUAL "screens" AND NOT app_index EQUAL -1)
                    continue()
                endif()
                string(APPEND problems "  ${relative} includes ${header}\n")
            endif()
        endforeach()
    endforeach()
endforeach()
if(problems)
    message(FATAL_ERROR "A layer includes a layer above it (store < platform < engine < print < print/ui < screens < app):\n${problems}")
endif()
