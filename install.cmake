# Installed like a desktop program. The program lives in a private folder
# of programs, its engine library in a private library folder; the command
# in the bin folder is a launcher that starts the program from the data
# folder, since the program reads ./images/ from its working directory. The
# launcher finds both folders relative to itself, so one launcher serves
# every prefix and a package (launcher/CMakeLists.txt).
install(DIRECTORY images DESTINATION ${ZELQUOR_DATA_DIR} FILES_MATCHING PATTERN "*.png")

# The desktop entry names the launcher by its absolute path, so it is
# written at install time for the prefix actually installed into, and then
# installed like any file so that the install manifest lists it. Each
# prefix has its own copy in the build tree: installs may run side by side.
install(CODE "
  set(ZELQUOR_LAUNCHER \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/zelquor\")
  string(MD5 destination \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}\")
  set(entry \"${PROJECT_BINARY_DIR}/desktopEntries/\${destination}/zelquor.desktop\")
  configure_file(\"${PROJECT_SOURCE_DIR}/data/zelquor.desktop.in\" \"\${entry}\" @ONLY)
  file(INSTALL \"\${entry}\" DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications\")
")

foreach(size 48 128 256)
  install(FILES data/icons/zelquor-${size}.png RENAME zelquor.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES data/icons/zelquor.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES data/org.zelquor.Zelquor.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The manual page as text, with the program's version and the date of its
# release in NEWS: a package compresses it as its distribution does.
file(STRINGS NEWS releaseHeading REGEX "^${PROJECT_VERSION} \\([0-9]+-[0-9]+-[0-9]+\\)$")
if(NOT releaseHeading)
  message(FATAL_ERROR "NEWS has no heading \"${PROJECT_VERSION} (YYYY-MM-DD)\" for this version")
endif()
string(REGEX REPLACE ".*\\((.*)\\)" "\\1" ZELQUOR_RELEASE_DATE "${releaseHeading}")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS NEWS)
configure_file(data/zelquor.1.in ${PROJECT_BINARY_DIR}/zelquor.1 @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/zelquor.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
