# Where `cmake --install` puts the game, and the Debian package and the RPM
# made of it.
include(GNUInstallDirs)

set(MATCH3_PACKAGE "" CACHE STRING
  "Lay out the installed files as a package of this kind wants them: DEB, RPM, or empty for neither")
set_property(CACHE MATCH3_PACKAGE PROPERTY STRINGS "" DEB RPM)

if(WIN32)
  # A zip for Windows: the program, a README written for Windows, the
  # licence and the manual, all as Windows text (CR LF); the manual made
  # from the manual page, without its POSIX parts, so it never drifts.
  install(TARGETS match3 RUNTIME DESTINATION .)
  configure_file(docs/windows/README.txt README.txt @ONLY NEWLINE_STYLE CRLF)
  set(windows_texts "${CMAKE_CURRENT_BINARY_DIR}/README.txt")
  macro(windows_text output input)
    add_custom_command(OUTPUT "${CMAKE_CURRENT_BINARY_DIR}/${output}"
      COMMAND "${CMAKE_COMMAND}" "-DIN=${input}" "-DOUT=${CMAKE_CURRENT_BINARY_DIR}/${output}"
              -P "${PROJECT_SOURCE_DIR}/cmake/windows-text.cmake"
      DEPENDS "${input}" "${PROJECT_SOURCE_DIR}/cmake/windows-text.cmake" VERBATIM)
    list(APPEND windows_texts "${CMAKE_CURRENT_BINARY_DIR}/${output}")
  endmacro()
  windows_text(LICENSE.txt "${PROJECT_SOURCE_DIR}/LICENSE")
  find_program(MATCH3_GROFF groff)
  if(MATCH3_GROFF)
    set(manual_text "${CMAKE_CURRENT_BINARY_DIR}/match3.6.txt")
    add_custom_command(OUTPUT "${manual_text}"
      COMMAND "${MATCH3_GROFF}" -man -Tascii -P-cbou -rHY=0 -rwindows=1 "${PROJECT_SOURCE_DIR}/docs/match3.6"
              > "${manual_text}"
      DEPENDS "${PROJECT_SOURCE_DIR}/docs/match3.6" VERBATIM)
    windows_text(match3.txt "${manual_text}")
    # The Russian manual in UTF-8, which Notepad reads.
    set(manual_text_ru "${CMAKE_CURRENT_BINARY_DIR}/match3.ru.6.txt")
    add_custom_command(OUTPUT "${manual_text_ru}"
      COMMAND "${MATCH3_GROFF}" -k -man -Tutf8 -P-cbou -rHY=0 -rwindows=1 "${PROJECT_SOURCE_DIR}/docs/ru/match3.6"
              > "${manual_text_ru}"
      DEPENDS "${PROJECT_SOURCE_DIR}/docs/ru/match3.6" VERBATIM)
    windows_text(match3.ru.txt "${manual_text_ru}")
  else()
    message(NOTICE "groff was not found: the Windows package comes without match3.txt and match3.ru.txt")
  endif()
  add_custom_target(match3_windows_texts ALL DEPENDS ${windows_texts})
  install(FILES ${windows_texts} DESTINATION .)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME "match3-${PROJECT_VERSION}-win64")
  set(CPACK_PACKAGE_NAME match3)
  set(CPACK_PACKAGE_VENDOR "The match3 developers")
  set(CPACK_STRIP_FILES ON)
  include(CPack)
  return()
endif()

install(TARGETS match3 RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")

# What shows the game in a desktop's menu (it opens in a terminal) and in a
# software centre, and its icon in the theme every desktop reads. The menu's
# entry names the game where it is installed: a menu's PATH may not hold
# /usr/games, nor root's.
set(desktop "${PROJECT_SOURCE_DIR}/docs/desktop")
set(MATCH3_GAME "${CMAKE_INSTALL_FULL_BINDIR}/match3")
configure_file("${desktop}/match3.desktop.in" match3.desktop @ONLY)
install(FILES "${CMAKE_CURRENT_BINARY_DIR}/match3.desktop" DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
install(FILES "${desktop}/invalid.example.match3.metainfo.xml" DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")
foreach(size 48 128)
  install(FILES "${desktop}/icon-${size}.png" DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps"
          RENAME match3.png)
endforeach()

if(MATCH3_PACKAGE)
  # Both families want manual pages compressed (without a time stamp, so
  # that a build is reproducible); Debian its changelog too.
  set(docs "${PROJECT_SOURCE_DIR}/docs")
  foreach(file match3.6 ru/match3.6 debian/changelog)
    string(REPLACE "/" "-" name "${file}")
    add_custom_command(OUTPUT "${name}.gz"
      COMMAND sh -c "gzip -9n -c '${docs}/${file}' > '${name}.gz'"
      DEPENDS "${docs}/${file}" VERBATIM)
    list(APPEND compressed "${CMAKE_CURRENT_BINARY_DIR}/${name}.gz")
  endforeach()
  add_custom_target(match3_compressed_docs ALL DEPENDS ${compressed})
  install(FILES "${CMAKE_CURRENT_BINARY_DIR}/match3.6.gz" DESTINATION "${CMAKE_INSTALL_MANDIR}/man6")
  install(FILES "${CMAKE_CURRENT_BINARY_DIR}/ru-match3.6.gz" DESTINATION "${CMAKE_INSTALL_MANDIR}/ru/man6"
          RENAME match3.6.gz)
endif()
if(MATCH3_PACKAGE STREQUAL "DEB")
  # Debian keeps the licence in a copyright file of its own format.
  install(FILES "${docs}/debian/copyright" README.md DESTINATION "${CMAKE_INSTALL_DOCDIR}")
  install(FILES "${CMAKE_CURRENT_BINARY_DIR}/debian-changelog.gz" DESTINATION "${CMAKE_INSTALL_DOCDIR}"
          RENAME changelog.gz)
elseif(MATCH3_PACKAGE STREQUAL "RPM")
  # The RPM family keeps licences in a folder of their own.
  install(FILES README.md DESTINATION "${CMAKE_INSTALL_DOCDIR}")
  install(FILES LICENSE DESTINATION "${CMAKE_INSTALL_DATADIR}/licenses/match3")
else()
  install(FILES docs/match3.6 DESTINATION "${CMAKE_INSTALL_MANDIR}/man6")
  install(FILES docs/ru/match3.6 DESTINATION "${CMAKE_INSTALL_MANDIR}/ru/man6")
  install(FILES README.md LICENSE DESTINATION "${CMAKE_INSTALL_DOCDIR}")
endif()

if(MATCH3_PACKAGE STREQUAL "RPM")
  set(CPACK_GENERATOR RPM)
else()
  set(CPACK_GENERATOR DEB)
endif()
set(CPACK_PACKAGE_NAME match3)
set(CPACK_PACKAGE_VENDOR "The match3 developers")
set(CPACK_PACKAGE_CONTACT "match3 developers <match3@example.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "match-three puzzle game for the text console")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "A 10 x 10 board of the letters A to I, drawn in colour. Pick a tile by its\n"
  "row and column and swap it with a neighbour. Every run of three equal\n"
  "letters is cleared for 10 points and refilled from the top. The game ends\n"
  "when the board offers no move. Prompts are in English and Russian.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${PROJECT_HOMEPAGE_URL}")
set(CPACK_RPM_FILE_NAME RPM-DEFAULT)
set(CPACK_RPM_PACKAGE_SUMMARY "Match-three puzzle game for the text console")
set(CPACK_RPM_PACKAGE_LICENSE MIT)
set(CPACK_RPM_PACKAGE_GROUP Amusements/Games)
set(CPACK_RPM_PACKAGE_URL "${PROJECT_HOMEPAGE_URL}")
set(CPACK_RPM_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_RPM_PACKAGE_AUTOREQ ON)
set(CPACK_RPM_PACKAGE_RELEASE 1)
# The RPM's changelog, written from Debian's so that the two never differ:
# each entry's date, maintainer and version, and its items.
file(STRINGS "${PROJECT_SOURCE_DIR}/docs/debian/changelog" debian_changelog)
set(rpm_changelog "")
set(items "")
foreach(line IN LISTS debian_changelog)
  if(line MATCHES "^match3 \\(([^)]+)\\)")
    set(version "${CMAKE_MATCH_1}")
  elseif(line MATCHES "^  \\* (.*)")
    string(APPEND items "- ${CMAKE_MATCH_1}\n")
  elseif(line MATCHES "^    (.*)")
    string(REGEX REPLACE "\n$" " ${CMAKE_MATCH_1}\n" items "${items}")
  elseif(line MATCHES "^ -- (.+)  ([A-Z][a-z][a-z]), ([0-9]+) ([A-Z][a-z][a-z]) ([0-9]+) ")
    string(APPEND rpm_changelog "* ${CMAKE_MATCH_2} ${CMAKE_MATCH_4} ${CMAKE_MATCH_3} ${CMAKE_MATCH_5} "
                                "${CMAKE_MATCH_1} - ${version}-${CPACK_RPM_PACKAGE_RELEASE}\n${items}\n")
    set(items "")
  endif()
endforeach()
file(WRITE "${CMAKE_CURRENT_BINARY_DIR}/rpm-changelog" "${rpm_changelog}")
set(CPACK_RPM_CHANGELOG_FILE "${CMAKE_CURRENT_BINARY_DIR}/rpm-changelog")
set(CPACK_RPM_SPEC_MORE_DEFINE "%define packager ${CPACK_PACKAGE_CONTACT}")
# Folders that the system or its icon theme owns, not the game.
set(CPACK_RPM_EXCLUDE_FROM_AUTO_FILELIST_ADDITION
  /usr/share/applications /usr/share/metainfo /usr/share/licenses /usr/share/man /usr/share/man/man6
  /usr/share/man/ru /usr/share/man/ru/man6
  /usr/share/icons /usr/share/icons/hicolor /usr/share/icons/hicolor/48x48 /usr/share/icons/hicolor/48x48/apps
  /usr/share/icons/hicolor/128x128 /usr/share/icons/hicolor/128x128/apps)
set(CPACK_RPM_USER_FILELIST "%doc /usr/share/doc/match3/README.md"
                            "%license /usr/share/licenses/match3/LICENSE")
set(CPACK_STRIP_FILES ON)
include(CPack)
