# The Debian package of the installed tree (cmake/Install.cmake), made by CPack:
# `cmake --build build --target package` writes build/varnreel_<version>_<arch>.deb.
# Its library dependencies are computed by dpkg-shlibdeps from the programs and libraries it
# holds; what they load at run time without linking is named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME varnreel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The VarnReel developers")
set(CPACK_PACKAGE_CONTACT "VarnReel developers <varnreel@varnreel.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Windows 95 boot configuration tuner and MCI movie player")
set(CPACK_PACKAGE_DESCRIPTION
  "Two Windows 95 desktop programs made to run on Linux, on a host layer\n"
  "that answers their Windows calls from a Wine-style prefix.\n"
  "\n"
  "VarnDosFettle (BootFettle) tunes how the Windows 95 machine of the\n"
  "prefix starts: MSDOS.SYS, the VCache section of SYSTEM.INI and\n"
  "CONFIG.SYS.\n"
  "\n"
  "reelp32 (Reelix) plays MPEG files, VideoCDs, AVI, QuickTime and FLI/FLC\n"
  "movies through the Media Control Interface, captures frames and cuts\n"
  "MPEG streams.\n"
  "\n"
  "The tools mcishell and iniprofile send MCI command strings and edit\n"
  "profile files of the prefix from a shell.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_PACKAGE_INSTALL_DIRECTORY varnreel)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION video)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${VARNREEL_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The project's own libraries, for dpkg-shlibdeps to find beside each other.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_LIBRARY_OUTPUT_DIRECTORY})
# The engine loads libavfilter at run time, when sound is first stretched (media/FilterLibrary.h),
# so dpkg-shlibdeps does not see it: named here, with the major version the engine was built for.
find_package(PkgConfig REQUIRED)
pkg_check_modules(PACKAGED_AVFILTER REQUIRED libavfilter)
string(REGEX MATCH "^[0-9]+" avfilter_major "${PACKAGED_AVFILTER_VERSION}")
# The forms and the tuner's art draw with the Liberation fonts; the text editor, file manager
# launches and the screen saver's suspension go through xdg-utils.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, libavfilter${avfilter_major}")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
include(CPack)
