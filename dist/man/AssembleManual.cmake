# Writes a manual page from its template: @ENVIRONMENT@, @PREFIX@ and @PLAYER_KEYS@ alone on a
# line are replaced by the files of those names, @MANUAL_DATE@, @PROJECT_VERSION@ and
# @VARNREEL_DRIVER_DIR@ by their values.
#   cmake -DTEMPLATE=... -DOUTPUT=... -DENVIRONMENT=... -DPREFIX=... -DPLAYER_KEYS=...
#         -DMANUAL_DATE=... -DPROJECT_VERSION=... -DVARNREEL_DRIVER_DIR=... -P AssembleManual.cmake
file(READ ${TEMPLATE} page)
foreach(section ENVIRONMENT PREFIX PLAYER_KEYS)
  if(page MATCHES "@${section}@")
    file(READ ${${section}} text)
    string(REGEX REPLACE "\n$" "" text "${text}")
    string(REPLACE "@${section}@" "${text}" page "${page}")
  endif()
endforeach()
string(CONFIGURE "${page}" page @ONLY)
file(WRITE ${OUTPUT} "${page}")
