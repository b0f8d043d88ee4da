# Installing Quorvix as a desktop program: cmake --install BUILD [--prefix P]
# puts the programs, the manual, the desktop entry, the icons, the AppStream
# metainfo, the project files' MIME type, the man pages and the licence in
# the usual places under P. The build's header quorvix_version.h, which names
# the program, its version and its desktop id for both programs, is written
# here too, from the names set below.

include(GNUInstallDirs)
# The project is "Quorvix", so CMAKE_INSTALL_DOCDIR ends in that name; the
# documentation folder is named like the package and the programs.
set(QUORVIX_INSTALL_DOCDIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/quorvix CACHE PATH "Documentation folder")

set(QUORVIX_PROGRAM_NAME Quorvix)
# Reverse-DNS id of the desktop entry, metainfo, MIME type file and icon,
# made from the project's home page address below.
set(QUORVIX_APP_ID example.quorvix.Quorvix)
set(QUORVIX_PROJECT_MIME_TYPE application/x-quorvix-project)
set(QUORVIX_HOMEPAGE_URL https://quorvix.example/)
set(QUORVIX_REPOSITORY_URL https://git.quorvix.example/quorvix/quorvix)
# Software centres fetch the screenshot by address: the README's picture in
# the repository.
set(QUORVIX_SCREENSHOT_URL ${QUORVIX_REPOSITORY_URL}/raw/branch/main/docs/screenshot.png)
# The date of the release that project(VERSION) names.
set(QUORVIX_RELEASE_DATE 2026-12-08)

set(quorvix_generated ${CMAKE_BINARY_DIR}/generated)

# The version header.
configure_file(${CMAKE_SOURCE_DIR}/src/version.h.in ${quorvix_generated}/quorvix_version.h @ONLY)
add_library(quorvix_version INTERFACE)
target_include_directories(quorvix_version INTERFACE ${quorvix_generated})

# The programs.
install(TARGETS quorvix-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_SOURCE_DIR}/docs/man/quorvix-cli.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The manual as HTML pages; its CHM project files only serve the compiler.
install(DIRECTORY ${CMAKE_SOURCE_DIR}/docs/manual/ DESTINATION ${QUORVIX_INSTALL_DOCDIR}/manual
        FILES_MATCHING PATTERN "*.html" PATTERN "*.css" PATTERN "*.png")

# The licence, as the Debian copyright file names it: one file for both an
# install and the package.
file(READ ${CMAKE_SOURCE_DIR}/LICENSE licence_text)
string(FIND "${licence_text}" "Permission is hereby granted" licence_start)
string(SUBSTRING "${licence_text}" ${licence_start} -1 licence_text)
string(STRIP "${licence_text}" licence_text)
string(REPLACE "\n\n" "\n.\n" licence_text "${licence_text}")
string(REPLACE "\n" "\n " QUORVIX_LICENSE_PARAGRAPH " ${licence_text}")
configure_file(${CMAKE_SOURCE_DIR}/packaging/copyright.in ${quorvix_generated}/copyright @ONLY)
install(FILES ${quorvix_generated}/copyright DESTINATION ${QUORVIX_INSTALL_DOCDIR})

# The window and what makes it a desktop program: menu entry, icons, metainfo,
# the project files' type (a double click on a project opens it), its man page
# and the compiled manual.
if(TARGET quorvix)
  install(TARGETS quorvix RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${CMAKE_SOURCE_DIR}/docs/man/quorvix.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  if(TARGET quorvix_manual)
    install(FILES ${CMAKE_BINARY_DIR}/matrix.chm DESTINATION ${QUORVIX_INSTALL_DOCDIR}/manual)
  endif()

  foreach(kind desktop metainfo.xml mime.xml)
    configure_file(${CMAKE_SOURCE_DIR}/packaging/quorvix.${kind}.in ${quorvix_generated}/quorvix.${kind} @ONLY)
  endforeach()
  install(FILES ${quorvix_generated}/quorvix.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications
          RENAME ${QUORVIX_APP_ID}.desktop)
  install(FILES ${quorvix_generated}/quorvix.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo
          RENAME ${QUORVIX_APP_ID}.metainfo.xml)
  install(FILES ${quorvix_generated}/quorvix.mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
          RENAME ${QUORVIX_APP_ID}.xml)

  set(icons ${CMAKE_SOURCE_DIR}/art/icons)
  foreach(size 16 32 48 64 128 256)
    install(FILES ${icons}/quorvix-${size}.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME ${QUORVIX_APP_ID}.png)
  endforeach()
  install(FILES ${icons}/quorvix.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
          RENAME ${QUORVIX_APP_ID}.svg)
endif()
