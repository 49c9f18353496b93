# Installing and packaging. The program finds its data at ../share/zeb relative to its
# own directory, so the programs go one level below the prefix: games/ by default, where
# a distribution keeps its games (/usr/games, /usr/local/games), or bin/ when asked.
set(ZEB_INSTALL_BINDIR games CACHE STRING "Directory under the prefix for zeb and zeb-replay (games or bin)")
if(NOT ZEB_INSTALL_BINDIR MATCHES "^[A-Za-z0-9._-]+$" OR ZEB_INSTALL_BINDIR MATCHES "^\\.\\.?$")
  message(FATAL_ERROR "ZEB_INSTALL_BINDIR must be one directory name (zeb reads ../share/zeb "
                      "beside it), not \"${ZEB_INSTALL_BINDIR}\"")
endif()
install(TARGETS zeb zeb-replay RUNTIME DESTINATION ${ZEB_INSTALL_BINDIR})
# The build's stamps (.assets, .levels) are build bookkeeping, not data.
install(DIRECTORY ${CMAKE_BINARY_DIR}/text DESTINATION share/zeb PATTERN ".*" EXCLUDE)
install(DIRECTORY ${CMAKE_BINARY_DIR}/icons/ DESTINATION share/icons)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/zeb.desktop DESTINATION share/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright DESTINATION share/doc/zeb)

# Manual pages and the changelog are installed compressed, without a name or a time stamp
# in the gzip header, so the same sources give the same bytes. Every page in dist/ goes.
find_program(GZIP gzip REQUIRED)
file(GLOB ZEB_MAN_PAGES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.6)
set(ZEB_COMPRESSED)
foreach(page ${ZEB_MAN_PAGES} ${CMAKE_CURRENT_LIST_DIR}/changelog)
  get_filename_component(name ${page} NAME)
  set(out ${CMAKE_BINARY_DIR}/dist/${name}.gz)
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/dist
    COMMAND sh -c "\"$0\" -9n -c \"$1\" >\"$2\"" ${GZIP} ${page} ${out}
    DEPENDS ${page}
    COMMENT "Compressing ${name}"
    VERBATIM)
  list(APPEND ZEB_COMPRESSED ${out})
  if(page MATCHES "\\.6$")
    install(FILES ${out} DESTINATION share/man/man6)
  endif()
endforeach()
add_custom_target(zeb_dist_files ALL DEPENDS ${ZEB_COMPRESSED})
# The project is its own upstream, so its package is a native one: the changelog is
# changelog.gz, not changelog.Debian.gz.
install(FILES ${CMAKE_BINARY_DIR}/dist/changelog.gz DESTINATION share/doc/zeb)

# `cmake --build BUILD --target uninstall` removes what the last install wrote.
add_custom_target(uninstall
  COMMAND ${CMAKE_COMMAND} -DMANIFEST=${CMAKE_BINARY_DIR}/install_manifest.txt
          -P ${CMAKE_CURRENT_LIST_DIR}/uninstall.cmake)

# A Debian package: `cpack -G DEB` in the build directory.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zeb)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "ZEB developers <zeb@zeb.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "first-person walk-through of three textured worlds")
# dpkg shows the extended description as it is, one space in: lines stay within 80 columns.
set(CPACK_PACKAGE_DESCRIPTION "A glowing hall with water and hanging targets, a timber town under rotating
sky domes, and a world of pools, platforms, sinking gates and teleporting
pits, walked through in the first person with mouse-look, jumping, a lift and
five weapons.
Includes zeb-replay, which runs the same program headless from a script.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
# The linked libraries come from dpkg-shlibdeps; what is loaded or read at run time is
# named here: libGL.so.1, which SDL opens for its GLX context; the Mesa drivers (llvmpipe
# where there is no GPU), which both GLX and zeb-replay's EGL need; and the HUD's font,
# found through fontconfig. The core X font SDL's message boxes ask for is not named: it
# is the X server's font, not the client's, and every Debian X server brings it (xorg
# depends on xfonts-base, xserver-common recommends it). A server without it costs only
# the box, whose text and answer then go to stderr.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libgl1, libgl1-mesa-dri, fonts-liberation")
include(CPack)
