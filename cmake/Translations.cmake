# Compiles the .ts catalogues to .qm files in the build tree (never in the sources).
function(kv_compile_translations out_var)
    set(qm_files)
    foreach(ts ${ARGN})
        get_filename_component(name ${ts} NAME_WE)
        set(qm ${CMAKE_CURRENT_BINARY_DIR}/${name}.qm)
        add_custom_command(OUTPUT ${qm}
            COMMAND Qt5::lrelease -silent ${ts} -qm ${qm}
            DEPENDS ${ts}
            COMMENT "lrelease ${name}.ts")
        list(APPEND qm_files ${qm})
    endforeach()
    set(${out_var} ${qm_files} PARENT_SCOPE)
endfunction()
