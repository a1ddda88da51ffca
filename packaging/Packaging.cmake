# Desktop integration and the Debian package. The game itself and its data folder
# are installed by src/; this adds the menu entry and the icons (drawn by the asset
# generator into the data folder) in the freedesktop places, and packs it all with
# CPack: `cpack -G DEB` in the build folder.
install(FILES ${CMAKE_CURRENT_LIST_DIR}/tapburg.desktop DESTINATION share/applications)
install(DIRECTORY ${TAPBURG_DATA_DIR}/icons/ DESTINATION share/icons/hicolor)

set(CPACK_PACKAGE_NAME tapburg)
set(CPACK_PACKAGE_VENDOR "Orlenvale")
set(CPACK_PACKAGE_CONTACT "Tapburg developers <tapburg@orlenvale.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "City builder in which construction and time advance by clicking")
set(CPACK_PACKAGE_DESCRIPTION
    "Pick a tile beside a road, choose what to build, then click until it stands.\nEvery tenth click is a new day: houses grow, shops and factories pay, fires\nbreak out. Two-colour pixel art with eight palettes, music and sound effects.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_INSTALL_DIRECTORY tapburg)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# dpkg-shlibdeps finds the SFML, GL and OpenAL libraries the binary links; the
# explicit ones cover what it loads only at run time.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libgl1-mesa-dri")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "xdg-utils")
include(CPack)
