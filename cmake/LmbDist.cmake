# Copies the folders that ship beside the programs into the install tree (build/dist/), on every
# build, so that running from build/dist/ sees the same layout as an installed studio.
set(LMB_DIST_FOLDERS data language Templates Samples documentation include)
set(copy_cmds)
foreach(folder ${LMB_DIST_FOLDERS})
    if(NOT IS_DIRECTORY ${PROJECT_SOURCE_DIR}/${folder})
        continue()
    endif()
    list(APPEND copy_cmds COMMAND ${CMAKE_COMMAND} -E copy_directory
         ${PROJECT_SOURCE_DIR}/${folder} ${LMB_DIST_DIR}/${folder})
endforeach()
add_custom_target(lmb_dist_data ALL ${copy_cmds} COMMENT "Copying data folders into dist/")

install(DIRECTORY ${LMB_DIST_DIR}/ DESTINATION lib/lumeni-zarerud USE_SOURCE_PERMISSIONS)
