# Installing and packaging. The program finds its data at ../share/zeb relative to its
# own directory, so the two places are fixed here rather than taken from GNUInstallDirs.
install(TARGETS zeb zeb-replay RUNTIME DESTINATION bin)
# The build's stamps (.assets, .levels) are build bookkeeping, not data.
install(DIRECTORY ${CMAKE_BINARY_DIR}/text DESTINATION share/zeb PATTERN ".*" EXCLUDE)
install(DIRECTORY ${CMAKE_BINARY_DIR}/icons/ DESTINATION share/icons)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/zeb.desktop DESTINATION share/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/zeb.6 DESTINATION share/man/man6)

# `cmake --build BUILD --target uninstall` removes what the last install wrote.
add_custom_target(uninstall
  COMMAND ${CMAKE_COMMAND} -DMANIFEST=${CMAKE_BINARY_DIR}/install_manifest.txt
          -P ${CMAKE_CURRENT_LIST_DIR}/uninstall.cmake)

# A Debian package: `cpack -G DEB` in the build directory.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zeb)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "ZEB developers <zeb@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "first-person walk-through of three textured worlds")
set(CPACK_PACKAGE_DESCRIPTION "A glowing hall with water and hanging targets, a timber town under
rotating sky domes, and a world of pools, platforms, sinking gates and teleporting pits,
walked through in the first person with mouse-look, jumping, a lift and five weapons.
Includes zeb-replay, which runs the same program headless from a script.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
# The linked libraries come from dpkg-shlibdeps; what is loaded or read at run time is
# named here: libGL.so.1, which SDL opens for its GLX context; the Mesa drivers (llvmpipe
# where there is no GPU), which both GLX and zeb-replay's EGL need; the HUD's font,
# found through fontconfig; and the core X font SDL's message boxes need.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libgl1, libgl1-mesa-dri, fonts-liberation, xfonts-base")
include(CPack)
