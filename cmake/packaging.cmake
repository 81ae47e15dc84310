# Installation and packages: both programs, their manual pages (Linux) or a plain-text readme
# (Windows), as a .deb and a .tar.gz on Linux and a .zip on Windows.
include(GNUInstallDirs)

if(WIN32)
  install(TARGETS lvltext6 lvltext5 RUNTIME DESTINATION .)
  # Windows users read plain text with CR LF line ends.
  file(READ ${PROJECT_SOURCE_DIR}/doc/README-windows.txt.in readme)
  string(CONFIGURE "${readme}" readme @ONLY)
  string(REPLACE "\n" "\r\n" readme "${readme}")
  file(WRITE ${CMAKE_BINARY_DIR}/README.txt "${readme}")
  install(FILES ${CMAKE_BINARY_DIR}/README.txt DESTINATION .)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME "lvltext-${PROJECT_VERSION}-windows-x86_64")
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
else()
  install(TARGETS lvltext6 lvltext5 RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  # One page serves both programs; each gets its own names, files and example addresses.
  set(pages)
  foreach(EPISODE 6 5)
    set(PROGRAM lvltext${EPISODE})
    if(EPISODE EQUAL 6)
      set(OTHEREPISODE 5)
      set(ROOM 1422)  # namespace limit 5326 less the 3904 reserved bytes
      set(TEXTADDRESS 1EF40)
      set(SLOTADDRESS 32516)
      set(FARPOINTER 1E000F40)
    else()
      set(OTHEREPISODE 6)
      set(ROOM 1167)  # namespace limit 1231 less the 64 reserved bytes
      set(TEXTADDRESS 20040)
      set(SLOTADDRESS 31B18)
      set(FARPOINTER 20000040)
    endif()
    set(OTHER lvltext${OTHEREPISODE})
    configure_file(${PROJECT_SOURCE_DIR}/doc/lvltext.1.in ${CMAKE_BINARY_DIR}/man/${PROGRAM}.1 @ONLY)
    list(APPEND pages ${CMAKE_BINARY_DIR}/man/${PROGRAM}.1)
  endforeach()
  install(FILES ${pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  set(LVLTEXT_MANUAL_PAGES ${pages})
  set(CPACK_GENERATOR DEB TGZ)
endif()

set(CPACK_PACKAGE_NAME lvltext)
set(CPACK_PACKAGE_VENDOR "lvltext developers")
set(CPACK_PACKAGE_CONTACT "lvltext developers <lvltext@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Level text patch script generators for episodes 6 and 5")
set(CPACK_PACKAGE_DESCRIPTION
    "lvltext6 and lvltext5 turn a level designer's two plain-text lists (one entry text per "
    "level, one level name per line) into a patch script that an external patching tool "
    "applies to one episode of the game.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_STRIP_FILES ON)
include(CPack)
