# Installing Kiv as a Linux program, and its Debian package.
#
#   bin/kiv                         the program
#   libexec/kiv/kiv-plugin-host     the plugin helper
#   libexec/kiv/Plugins/*.so        the shipped plugins
#   share/kiv/Engine, share/kiv/dox the read-only shipped data and help
#   share/applications, share/metainfo, share/icons/hicolor, share/man
#
# The installed program keeps the user's files in the XDG folders (see
# src/core/config/program_paths.h).

set(KIV_APP_ID ru.kiv.Kiv)
set(KIV_INSTALL_DATA_DIR ${CMAKE_INSTALL_DATADIR}/kiv)
set(KIV_INSTALL_HELPER_DIR ${CMAKE_INSTALL_LIBEXECDIR}/kiv)

install(TARGETS kiv RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS kiv-plugin-host RUNTIME DESTINATION ${KIV_INSTALL_HELPER_DIR})
install(TARGETS reverse_lines unique_lines russian_quotes LIBRARY DESTINATION ${KIV_INSTALL_HELPER_DIR}/Plugins)
# The plugin list is made per user from the plugins found.
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/Engine ${CMAKE_SOURCE_DIR}/data/dox DESTINATION ${KIV_INSTALL_DATA_DIR}
        PATTERN plugslist.idx EXCLUDE)

set(dist ${CMAKE_SOURCE_DIR}/dist)
install(FILES ${dist}/${KIV_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${dist}/${KIV_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 16 24 32 48 64 128 256)
  install(FILES ${dist}/icons/kiv-${size}.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME kiv.png)
endforeach()
install(FILES ${dist}/icons/kiv.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# Manual pages and the package's documents, compressed as Debian wants them.
find_program(KIV_GZIP gzip REQUIRED)
set(gzipped)
foreach(pair "kiv.1.en;man/kiv.1.gz" "kiv.1.ru;man/ru/kiv.1.gz" "changelog;doc/changelog.gz")
  list(GET pair 0 src)
  list(GET pair 1 out)
  set(out ${CMAKE_BINARY_DIR}/dist/${out})
  get_filename_component(outdir ${out} DIRECTORY)
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${outdir}
    COMMAND ${KIV_GZIP} -9nc ${dist}/${src} > ${out}
    DEPENDS ${dist}/${src} VERBATIM)
  list(APPEND gzipped ${out})
endforeach()
add_custom_target(kiv_dist_files ALL DEPENDS ${gzipped})
install(FILES ${CMAKE_BINARY_DIR}/dist/man/kiv.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_BINARY_DIR}/dist/man/ru/kiv.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/ru/man1)
install(FILES ${CMAKE_BINARY_DIR}/dist/doc/changelog.gz ${dist}/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kiv)

# The Debian package: `cpack -G DEB` in the build folder (after building the
# program; the tests need not be built for it).
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kiv)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Kiv")
set(CPACK_PACKAGE_CONTACT "Kiv developers <kiv-devel@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "plain-text editor with a Russian interface")
set(CPACK_PACKAGE_DESCRIPTION_FILE ${dist}/description.txt)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION editors)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
