# What `cmake --install` puts beside the two programs (menu entry, icons,
# manual pages, the operator's manual, the package's documents) and how
# CPack makes a .deb of it.
include(GNUInstallDirs)

set(pkg_dir "${PROJECT_SOURCE_DIR}/packaging")
set(pkg_out "${PROJECT_BINARY_DIR}/packaging")
file(MAKE_DIRECTORY "${pkg_out}")

install(FILES "${pkg_dir}/pluvexa.desktop" DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")

# A statically linked pluvexa-cli is deliberate (see the file).
if(PLUVEXA_CLI_STATIC)
  install(FILES "${pkg_dir}/pluvexa.lintian-overrides" DESTINATION "${CMAKE_INSTALL_DATADIR}/lintian/overrides"
          RENAME pluvexa)
endif()

# Icons: the program's own artwork, scalable and as PNGs of the usual sizes.
set(icon_svg "${PROJECT_SOURCE_DIR}/src/shell/resources/programa.svg")
install(FILES "${icon_svg}" DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps"
        RENAME pluvexa.svg)
find_program(RSVG_CONVERT rsvg-convert)
set(icon_pngs)
if(RSVG_CONVERT)
  foreach(size 16 24 32 48 64 128 256)
    set(png "${pkg_out}/icons/${size}/pluvexa.png")
    add_custom_command(OUTPUT "${png}"
      COMMAND ${CMAKE_COMMAND} -E make_directory "${pkg_out}/icons/${size}"
      COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o "${png}" "${icon_svg}"
      DEPENDS "${icon_svg}" VERBATIM)
    list(APPEND icon_pngs "${png}")
    install(FILES "${png}" DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps")
  endforeach()
else()
  message(STATUS "rsvg-convert not found: only the scalable icon is installed")
endif()

# Manual pages, compressed as Debian keeps them. pluvexa-cli's is written
# from the program's own help (every command's usage, description, exit
# status, options and arguments), so it cannot drift from it; the tools'
# tests check that it names every command and option. It carries the date of
# pluvexa's page, so that a build makes the same page whenever it runs.
find_program(GZIP gzip REQUIRED)
set(man_pages "${pkg_out}/pluvexa.1.gz")
add_custom_command(OUTPUT "${pkg_out}/pluvexa.1.gz"
  COMMAND ${GZIP} -9nc "${pkg_dir}/pluvexa.1" > "${pkg_out}/pluvexa.1.gz"
  DEPENDS "${pkg_dir}/pluvexa.1" VERBATIM)
if(NOT WIN32)
  file(STRINGS "${pkg_dir}/pluvexa.1" man_th REGEX "^\\.TH ")
  string(REGEX MATCH "\"([^\"]*)\"" man_date "${man_th}")
  set(man_date "${CMAKE_MATCH_1}")
  add_custom_command(OUTPUT "${pkg_out}/pluvexa-cli.1" "${pkg_out}/pluvexa-cli.1.gz"
    COMMAND bash "${pkg_dir}/pluvexa-cli-man.sh" "$<TARGET_FILE:pluvexa-cli>" "${PROJECT_VERSION}" "${man_date}"
            "${pkg_out}/pluvexa-cli.1"
    COMMAND ${GZIP} -9nc "${pkg_out}/pluvexa-cli.1" > "${pkg_out}/pluvexa-cli.1.gz"
    DEPENDS pluvexa-cli ${cli_full} "${pkg_dir}/pluvexa-cli-man.sh" "${pkg_dir}/pluvexa-cli-man-reference.roff"
            VERBATIM)
  # pluvexa-cli-full is the same command line: its page is pluvexa-cli's.
  file(WRITE "${pkg_out}/pluvexa-cli-full.1" ".so man1/pluvexa-cli.1\n")
  add_custom_command(OUTPUT "${pkg_out}/pluvexa-cli-full.1.gz"
    COMMAND ${GZIP} -9nc "${pkg_out}/pluvexa-cli-full.1" > "${pkg_out}/pluvexa-cli-full.1.gz"
    DEPENDS "${pkg_out}/pluvexa-cli-full.1" VERBATIM)
  list(APPEND man_pages "${pkg_out}/pluvexa-cli.1.gz" "${pkg_out}/pluvexa-cli-full.1.gz")
endif()
install(FILES ${man_pages} DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")

# The documents every Debian package carries.
add_custom_command(OUTPUT "${pkg_out}/changelog.gz"
  COMMAND ${GZIP} -9nc "${pkg_dir}/changelog" > "${pkg_out}/changelog.gz"
  DEPENDS "${pkg_dir}/changelog" VERBATIM)
install(FILES "${pkg_dir}/copyright" "${pkg_out}/changelog.gz"
        DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/doc/pluvexa")

# The operator's manual, the pages the help window shows, to read outside
# the program too.
install(DIRECTORY "${PROJECT_SOURCE_DIR}/docs/manual/" DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/doc/pluvexa/manual"
        FILES_MATCHING PATTERN "*.html" PATTERN "*.css" PATTERN "*.png")

add_custom_target(pluvexa_packaging_files ALL DEPENDS ${icon_pngs} ${man_pages} "${pkg_out}/changelog.gz")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME pluvexa)
set(CPACK_PACKAGE_VENDOR "Drovanti Sistemas")
set(CPACK_PACKAGE_CONTACT "Drovanti Sistemas <suporte@drovanti.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "remote recharge of employees' transit fare cards")
set(CPACK_PACKAGE_DESCRIPTION
"Pluvexa prepares, at an employer's office, the remote recharge of its
employees' transit fare cards. The card central sends the company a sealed,
compressed recharge file; the operator processes it, enters or imports the
value to credit to each card holder, saves drafts, prints a listing and
generates the sealed answer file that goes back to the central.

The package holds the desktop program (pluvexa) and its command-line
companion for support staff (pluvexa-cli).")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Drovanti Sistemas <suporte@drovanti.example>")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Named by hand because no binary links them: the fonts the printed listing
# needs to line up, and Qt's SVG image plugin that draws the artwork.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, libqt6svg6, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
