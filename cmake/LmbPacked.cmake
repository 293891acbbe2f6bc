# Projects kept as text in packed/<folder>/<name>/ become project files of the install tree, packed by
# lmbtool the way the studio saves a project, so no binary project is kept in the repository:
# packed/Samples/Welcome/ -> dist/Samples/Welcome.lmb; packed/data/ShellNew/ -> dist/data/ShellNew.dat.
set(lmb_packed_outputs)
file(GLOB lmb_packed_dirs LIST_DIRECTORIES true ${PROJECT_SOURCE_DIR}/packed/*/*)
foreach(dir ${lmb_packed_dirs})
    if(NOT IS_DIRECTORY ${dir})
        continue()
    endif()
    get_filename_component(name ${dir} NAME)
    get_filename_component(parent ${dir} DIRECTORY)
    get_filename_component(folder ${parent} NAME)
    if(folder STREQUAL "data" AND name STREQUAL "ShellNew")
        set(out ${LMB_DIST_DIR}/data/ShellNew.dat)
    else()
        set(out ${LMB_DIST_DIR}/${folder}/${name}.lmb)
    endif()
    file(GLOB_RECURSE inputs CONFIGURE_DEPENDS ${dir}/*)
    add_custom_command(OUTPUT ${out}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${LMB_DIST_DIR}/${folder}
        COMMAND $<TARGET_FILE:lmbtool> pack ${dir} ${out}
        DEPENDS lmbtool ${inputs}
        COMMENT "Packing ${folder}/${name}")
    list(APPEND lmb_packed_outputs ${out})
endforeach()
add_custom_target(lmb_packed ALL DEPENDS ${lmb_packed_outputs})
