# The Debian package (cpack -G DEB in the build folder); its dependencies are computed from
# the installed binaries by dpkg-shlibdeps, plus what Qt loads at run time.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kv530418)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "KV530418 maintainers <kv530418@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "control application for networked audio matrix processors")
set(CPACK_PACKAGE_DESCRIPTION
    "Finds audio matrix processors on the local network, connects to one and controls all of\n\
its parameters: level strips and meters, filter, dynamics and matrix editors, presets,\n\
labels, USB media and firmware upgrades. Includes kv530418-virtual-unit, a simulated\n\
processor for demonstrations and training.")
set(CPACK_PACKAGE_FILE_NAME "${CPACK_PACKAGE_NAME}_${PROJECT_VERSION}")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The SQLite driver of the unit list is a Qt plugin, which no binary links.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt5sql5-sqlite")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation, fonts-wqy-microhei")
set(CPACK_STRIP_FILES ON)
include(CPack)
