# Release packages, made by CPack (scripts/package.sh runs it): on Linux a Debian package of the programs
# and their desktop files, in a cross build for Windows a zip of orvanta.exe. The web page is packed by the
# script from its install folder.
if(EMSCRIPTEN)
  return()
endif()

set(CPACK_PACKAGE_NAME orvanta)
set(CPACK_PACKAGE_VENDOR "The Orvanta developers")
# orvanta.org stands for the project's domain until it has one (as in the AppStream entry).
set(CPACK_PACKAGE_CONTACT "The Orvanta developers <developers@orvanta.org>")
set(CPACK_STRIP_FILES ON)
set(CPACK_VERBATIM_VARIABLES ON)

# --- The Windows zip: a folder with orvanta.exe and its README -------------------------------------------
if(WIN32)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/README-windows.txt.in ${PROJECT_BINARY_DIR}/packaging/README.txt
                 @ONLY NEWLINE_STYLE CRLF)
  install(FILES ${PROJECT_BINARY_DIR}/packaging/README.txt DESTINATION .)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME orvanta-${PROJECT_VERSION}-win64)
  include(CPack)
  return()
endif()

# --- The Debian package ----------------------------------------------------------------------------------
include(GNUInstallDirs)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Not "games": Debian keeps that section for programs in /usr/games, and both programs are in /usr/bin.
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "minesweeper that plays itself")
set(CPACK_PACKAGE_DESCRIPTION [[
Orvanta lays a field of 30 by 16 cells with 99 mines in a window and plays it
by itself: click a cell and a solver opens it, flags every cell that must hold
a mine, opens every cell that must be safe, and guesses only when its rules
are stuck and guessing is allowed. It plays game after game, draws every cell
the moment it changes and writes a histogram of the outcomes at exit.

orvanta-term is the same program drawn in a terminal, for machines without a
display. orvanta-batch plays the same games without a window, thousands a
second, and reports how they ended.]])

# A Debian package carries its copyright and a changelog; this one is its own upstream (a native package).
string(TIMESTAMP changelog_date "%a, %d %b %Y %H:%M:%S +0000" UTC)
file(CONFIGURE OUTPUT ${PROJECT_BINARY_DIR}/packaging/changelog @ONLY CONTENT [[
orvanta (@PROJECT_VERSION@) stable; urgency=medium

  * Orvanta @PROJECT_VERSION@.

 -- @CPACK_PACKAGE_CONTACT@  @changelog_date@
]])
execute_process(COMMAND gzip -9nkf ${PROJECT_BINARY_DIR}/packaging/changelog COMMAND_ERROR_IS_FATAL ANY)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright ${PROJECT_BINARY_DIR}/packaging/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

include(CPack)
