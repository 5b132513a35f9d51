# Installation: `cmake --install` (DESTDIR and CMAKE_INSTALL_PREFIX honoured) lays the programs
# out as a Linux desktop expects them:
#
#   bin/                      VarnDosFettle, reelp32, mcishell (and its second name mcish), iniprofile
#   lib/varnreel/             the shared libraries the programs link (host, media, forms) and the
#                             video devices the host loads from its own folder (libmcivideo.so)
#   lib/varnreel/drivers/     the player's MPEG driver package, as built in bin/drivers/
#   share/applications/       the desktop entries; share/icons/hicolor/*/apps/ their icons
#   share/metainfo/           AppStream metainfo; share/man/man1/ the manual pages
#
# The programs find their libraries through RPATH $ORIGIN/../lib/varnreel, and the libraries each
# other through $ORIGIN, so an installed tree works wherever it is put and never reaches back into
# the build folder. Included from the top CMakeLists after every part has added its targets.
include(GNUInstallDirs)

set(VARNREEL_LIBRARY_DIR ${CMAKE_INSTALL_LIBDIR}/varnreel)
set(VARNREEL_DRIVER_DIR ${VARNREEL_LIBRARY_DIR}/drivers)
file(RELATIVE_PATH program_to_libraries /${CMAKE_INSTALL_BINDIR} /${VARNREEL_LIBRARY_DIR})
set(VARNREEL_PROGRAM_RPATH "$ORIGIN/${program_to_libraries}")

set(installed_programs VarnDosFettle mcishell iniprofile)
set(installed_libraries host media forms mcivideo)
set(installed_drivers cddriver cdaudio cdvideo cddisp)

# Every part must be there: an install without one of them would not run.
foreach(target reelp32 ${installed_programs} ${installed_libraries} ${installed_drivers})
  if(NOT TARGET ${target})
    message(FATAL_ERROR "Install: the target ${target} is missing")
  endif()
endforeach()

set_target_properties(${installed_programs} PROPERTIES INSTALL_RPATH "${VARNREEL_PROGRAM_RPATH}")
set_target_properties(${installed_libraries} PROPERTIES INSTALL_RPATH "$ORIGIN")
install(TARGETS ${installed_programs} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS ${installed_libraries} LIBRARY DESTINATION ${VARNREEL_LIBRARY_DIR})
# The host loads the driver modules from the prefix's system folder, into a process that has the
# host library already: they need no search path of their own.
install(TARGETS ${installed_drivers} LIBRARY DESTINATION ${VARNREEL_DRIVER_DIR})
install(FILES ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/drivers/cdvideo.ini DESTINATION ${VARNREEL_DRIVER_DIR})

# The player is whatever build/bin/reelp32 is. When it is the linked program, CMake gives it its
# installed search path; when it is a file made from the linked program (the program with its
# driver package appended), the linked program `reel32` was given the installed search path at
# link time (see reel32's INSTALL_RPATH below), and the file is installed as it is.
get_target_property(player_type reelp32 TYPE)
if(player_type STREQUAL "EXECUTABLE")
  set_target_properties(reelp32 PROPERTIES INSTALL_RPATH "${VARNREEL_PROGRAM_RPATH}")
  install(TARGETS reelp32 RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
else()
  # The bundle cannot be relinked or stripped at install time (its driver package follows the
  # image), so the linked program carries its installed search path from the start, relative to
  # itself, and is linked stripped.
  # In the build tree lib/varnreel is a link to lib/ itself.
  file(MAKE_DIRECTORY ${CMAKE_LIBRARY_OUTPUT_DIRECTORY})
  file(CREATE_LINK . ${CMAKE_LIBRARY_OUTPUT_DIRECTORY}/varnreel SYMBOLIC)
  set_target_properties(reel32 PROPERTIES BUILD_WITH_INSTALL_RPATH ON INSTALL_RPATH "${VARNREEL_PROGRAM_RPATH}")
  target_link_options(reel32 PRIVATE -s)
  install(PROGRAMS ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/reelp32 DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

# mcish is the shell's second name, a link beside it.
install(CODE "
  set(link \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/mcish\")
  message(STATUS \"Installing: \${link}\")
  file(CREATE_LINK mcishell \"\${link}\" SYMBOLIC)
")

# Desktop entries, icons, metainfo, manual pages and the package's documents, made in dist/.
add_subdirectory(${CMAKE_SOURCE_DIR}/dist ${CMAKE_BINARY_DIR}/dist)
install(FILES ${CMAKE_SOURCE_DIR}/dist/applications/org.varnreel.reelp32.desktop
              ${CMAKE_SOURCE_DIR}/dist/applications/org.varnreel.varndosfettle.desktop
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
install(DIRECTORY ${VARNREEL_ICON_FOLDER}/ DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor
        FILES_MATCHING PATTERN "*.png")
install(FILES ${VARNREEL_METAINFO_FILES} DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo)
install(FILES ${VARNREEL_MANUAL_FILES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(CODE "
  set(link \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_MANDIR}/man1/mcish.1.gz\")
  message(STATUS \"Installing: \${link}\")
  file(CREATE_LINK mcishell.1.gz \"\${link}\" SYMBOLIC)
")
set(VARNREEL_DOC_DIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/varnreel)
install(FILES ${CMAKE_SOURCE_DIR}/dist/debian/copyright ${VARNREEL_CHANGELOG} DESTINATION ${VARNREEL_DOC_DIR})
