# Install rules: the application, the virtual unit under a name that says what it is, the
# menu entry, icons, AppStream metadata and the compiled translations. Included after every
# target exists.
include(GNUInstallDirs)

install(TARGETS kv530418 RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(PROGRAMS $<TARGET_FILE:virtual-unit> DESTINATION ${CMAKE_INSTALL_BINDIR}
    RENAME kv530418-virtual-unit)
# kvctl and the Wireshark dissector install themselves (tools/).

set(KV_DIST_DIR ${PROJECT_SOURCE_DIR}/dist)
configure_file(${KV_DIST_DIR}/kv530418.desktop.in
    ${PROJECT_BINARY_DIR}/dist/${KV_APP_ID}.desktop @ONLY)
configure_file(${KV_DIST_DIR}/kv530418.metainfo.xml.in
    ${PROJECT_BINARY_DIR}/dist/${KV_APP_ID}.metainfo.xml @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/dist/${KV_APP_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_BINARY_DIR}/dist/${KV_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${KV_ICON_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
# The application loads its catalogues from its resources; these are for translators and
# tools that look for them.
install(FILES ${KV_QM_FILES} DESTINATION ${CMAKE_INSTALL_DATADIR}/kv530418/translations)
