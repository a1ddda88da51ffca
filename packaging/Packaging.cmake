# Desktop integration and the Debian package. The programs and the data folder are
# installed by src/ and tools/; this adds the menu entry, the AppStream metadata, the
# icons (drawn by the asset generator into the data folder), the manual pages and the
# package's copyright and changelog in the places Debian and freedesktop expect, and
# packs it all with CPack: `cpack -G DEB` in the build folder.
set(TAPBURG_APP_ID org.orlenvale.tapburg)

# The menu entry names the installed game by its full path, which is known only when
# installing: /usr/games is not on every PATH (root's, for one), nor is a home prefix's bin/.
install(CODE "
    set(TAPBURG_PROGRAM \"\${CMAKE_INSTALL_PREFIX}/\${TAPBURG_GAMES_DIR}/tapburg\")
    configure_file(\"${CMAKE_CURRENT_LIST_DIR}/${TAPBURG_APP_ID}.desktop.in\"
                   \"${CMAKE_CURRENT_BINARY_DIR}/${TAPBURG_APP_ID}.desktop\" @ONLY)")
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${TAPBURG_APP_ID}.desktop DESTINATION share/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/${TAPBURG_APP_ID}.metainfo.xml DESTINATION share/metainfo)
install(DIRECTORY ${TAPBURG_DATA_DIR}/icons/ DESTINATION share/icons/hicolor)

# Manual pages and the changelog ship compressed, without name or time stamp, so that
# two builds of the same sources give the same package.
find_program(GZIP gzip REQUIRED)
set(compressed_dir ${CMAKE_CURRENT_BINARY_DIR}/compressed)
set(compressed "")
foreach(pair "man/tapburg.6|tapburg.6" "man/tapburg-sim.6|tapburg-sim.6" "changelog|changelog")
    string(REPLACE "|" ";" pair "${pair}")
    list(GET pair 0 source)
    list(GET pair 1 name)
    add_custom_command(OUTPUT ${compressed_dir}/${name}.gz
        COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_CURRENT_LIST_DIR}/${source} ${compressed_dir}/${name}
        COMMAND ${GZIP} -9nf ${compressed_dir}/${name}
        DEPENDS ${CMAKE_CURRENT_LIST_DIR}/${source} VERBATIM)
    list(APPEND compressed ${compressed_dir}/${name}.gz)
endforeach()
add_custom_target(tapburg_compressed_docs ALL DEPENDS ${compressed})
install(FILES ${compressed_dir}/tapburg.6.gz ${compressed_dir}/tapburg-sim.6.gz
        DESTINATION share/man/man6)
# A native package (its version has no Debian revision) keeps its Debian changelog as
# changelog.gz.
install(FILES ${compressed_dir}/changelog.gz ${CMAKE_CURRENT_LIST_DIR}/copyright
        DESTINATION share/doc/tapburg)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/lintian-overrides DESTINATION share/lintian/overrides
        RENAME tapburg)

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
