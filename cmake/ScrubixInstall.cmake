# What `cmake --install` puts where on Linux, and the Debian package built from
# it by CPack. The desktop entry, the metainfo file and the icons are named by
# the application id, as the freedesktop specifications ask.
include(GNUInstallDirs)

set(SCRUBIX_APP_ID org.scrubix.Scrubix)
set(SCRUBIX_HELP_INSTALL_DIR ${CMAKE_INSTALL_DATADIR}/scrubix/help)

foreach(program scrubix scrubix-scan scrubix-dispose scrubix-reg)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()

install(FILES packaging/${SCRUBIX_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES packaging/${SCRUBIX_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The daily unattended clean-up as a systemd user service and timer, where
# systemd looks for the units of packages (/usr/lib/systemd/user, whatever
# the library folder). Shipped disabled: nothing enables it on install.
install(FILES packaging/systemd/scrubix-clean.service packaging/systemd/scrubix-clean.timer
        DESTINATION lib/systemd/user)

# The application icon: the scalable drawing and its renderings, committed so
# the build needs no converter.
set(SCRUBIX_ICON_DIR ${CMAKE_CURRENT_SOURCE_DIR}/src/ui/res/icons)
if(EXISTS ${SCRUBIX_ICON_DIR}/scrubix.svg)
  install(FILES ${SCRUBIX_ICON_DIR}/scrubix.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
          RENAME ${SCRUBIX_APP_ID}.svg)
endif()
foreach(size 16 22 24 32 48 64 128 256)
  if(EXISTS ${SCRUBIX_ICON_DIR}/scrubix-${size}.png)
    install(FILES ${SCRUBIX_ICON_DIR}/scrubix-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME ${SCRUBIX_APP_ID}.png)
  endif()
endforeach()

# The help pages the program opens, with the screenshots they show.
install(DIRECTORY docs/help/ DESTINATION ${SCRUBIX_HELP_INSTALL_DIR})
if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/docs/screenshots)
  install(DIRECTORY docs/screenshots/ DESTINATION ${CMAKE_INSTALL_DATADIR}/scrubix/screenshots
          FILES_MATCHING PATTERN "*.png")
endif()

# Manual pages and the Debian documentation files, compressed as Debian
# policy asks (gzip -n: no time stamp, so the package is reproducible).
find_program(SCRUBIX_GZIP gzip REQUIRED)
set(SCRUBIX_COMPRESSED_DIR ${CMAKE_CURRENT_BINARY_DIR}/compressed)
set(SCRUBIX_COMPRESSED_FILES)
foreach(page scrubix scrubix-scan scrubix-dispose scrubix-reg)
  set(source ${CMAKE_CURRENT_SOURCE_DIR}/docs/man/${page}.1)
  set(target ${SCRUBIX_COMPRESSED_DIR}/${page}.1.gz)
  add_custom_command(OUTPUT ${target}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${SCRUBIX_COMPRESSED_DIR}
    COMMAND ${SCRUBIX_GZIP} -9nc ${source} > ${target}
    DEPENDS ${source} VERBATIM)
  list(APPEND SCRUBIX_COMPRESSED_FILES ${target})
  install(FILES ${target} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
set(changelog ${SCRUBIX_COMPRESSED_DIR}/changelog.gz)
add_custom_command(OUTPUT ${changelog}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${SCRUBIX_COMPRESSED_DIR}
  COMMAND ${SCRUBIX_GZIP} -9nc ${CMAKE_CURRENT_SOURCE_DIR}/packaging/changelog > ${changelog}
  DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/packaging/changelog VERBATIM)
list(APPEND SCRUBIX_COMPRESSED_FILES ${changelog})
add_custom_target(scrubix_compressed_docs ALL DEPENDS ${SCRUBIX_COMPRESSED_FILES})
install(FILES ${changelog} DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/scrubix)
install(FILES packaging/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/scrubix)

# The Debian package: `cpack -G DEB` in the build folder (scripts/package).
set(CPACK_PACKAGE_NAME scrubix)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Scrubix developers")
set(CPACK_PACKAGE_CONTACT "The Scrubix developers <team@scrubix.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "rule-based junk-file cleaner with review before deletion")
set(CPACK_PACKAGE_DESCRIPTION
  "Scrubix searches one drive for files you consider useless (by extension,\n"
  "zero length, and files and folders you name), lists them with the reason\n"
  "and size for review, then purges them or moves them to the Trash or a folder.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
include(CPack)
