# The packages a pilot installs, made with CPack in a build folder:
#   cpack -G ZIP   the program folder in a zip, ready to unpack and run (the Windows release,
#                  made in the cross-build folder; on Linux the same layout with `kalveo`)
#   cpack -G DEB   a Debian package: the program folder under /opt/kalveo and the `kalveo`
#                  command (/usr/bin/kalveo), which gives each pilot a program folder of their
#                  own under ~/.local/share/kalveo, and the `kalveo-replay` command
#
# The program folder is the same in both: kalveo and kalveo-replay (the recorder a bug report
# asks for) beside Settings, Lang, Sounds, Manual and an empty Logs, with the DLLs named in KALVEO_RUNTIME_DLLS beside kalveo.exe on Windows (a list set
# on the command line, in the cache or before this file is included). Where it goes is decided
# when a package is made (PackagingGenerator.cmake tells the install rules through
# KALVEO_PACKAGE_LAYOUT), so `cmake --install build --prefix DIR` still lays out the program
# folder in DIR itself.

if(NOT TARGET kalveo)
  return()
endif()

install(CODE [[
  if("$ENV{KALVEO_PACKAGE_LAYOUT}" STREQUAL "deb")
    set(kalveo_program_dir "opt/kalveo")
  else()
    set(kalveo_program_dir ".")
  endif()
]])
install(TARGETS kalveo RUNTIME DESTINATION "\${kalveo_program_dir}")
if(TARGET kalveo-replay)
  install(TARGETS kalveo-replay RUNTIME DESTINATION "\${kalveo_program_dir}")
endif()
# Without the repository's placeholder files (.keep).
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/ DESTINATION "\${kalveo_program_dir}"
        PATTERN ".*" EXCLUDE)
# The program logs into Logs beside itself; the folder ships empty.
install(DIRECTORY DESTINATION "\${kalveo_program_dir}/Logs")
if(KALVEO_RUNTIME_DLLS)
  install(FILES ${KALVEO_RUNTIME_DLLS} DESTINATION "\${kalveo_program_dir}")
endif()
# The command on the PATH exists in the Debian package only: a zip or an install into a folder
# is run from the program folder itself.
set(kalveo_launcher ${CMAKE_SOURCE_DIR}/packaging/kalveo-launcher)
# So is the entry of the desktop's applications menu, with the icon at the sizes desktops look
# for (packaging/make-icons makes them from the program's icon).
set(kalveo_packaging ${CMAKE_SOURCE_DIR}/packaging)
# The recorder works wherever it is started: a link is its command.
set(kalveo_replay_link "")
if(TARGET kalveo-replay)
  # Unlike file(INSTALL), file(CREATE_LINK) does not add DESTDIR, where cpack stages.
  set(kalveo_replay_link "file(CREATE_LINK ../../opt/kalveo/kalveo-replay
         \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/usr/bin/kalveo-replay\" SYMBOLIC)")
endif()
install(CODE "
  if(\"\$ENV{KALVEO_PACKAGE_LAYOUT}\" STREQUAL \"deb\")
    file(INSTALL DESTINATION \"\${CMAKE_INSTALL_PREFIX}/usr/bin\" TYPE PROGRAM
         RENAME kalveo FILES \"${kalveo_launcher}\")
    ${kalveo_replay_link}
    file(INSTALL DESTINATION \"\${CMAKE_INSTALL_PREFIX}/usr/share/applications\" TYPE FILE
         FILES \"${kalveo_packaging}/kalveo.desktop\")
    file(INSTALL DESTINATION \"\${CMAKE_INSTALL_PREFIX}/usr/share/icons\" TYPE DIRECTORY
         FILES \"${kalveo_packaging}/icons/hicolor\")
  endif()
")

set(CPACK_PACKAGE_NAME kalveo)
set(CPACK_PACKAGE_VENDOR Kalveo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Airspeed alarm, flap advice and instrument windows for the Condor glider simulator")
set(CPACK_PACKAGE_DESCRIPTION
    "Kalveo runs beside the Condor glider simulator (on Linux under Wine), reads its UDP
telemetry and plays a graded alarm as the glider nears its never-exceed speed. It also
advises flap positions and shows an always-on-top strip of speeds, varios, averages and
timers and an artificial horizon, with hotkeys that work while the simulator has the
keyboard.")
set(CPACK_PACKAGE_CONTACT "Kalveo developers")
set(CPACK_STRIP_FILES ON)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_SOURCE_DIR}/cmake/PackagingGenerator.cmake)

if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME kalveo-${PROJECT_VERSION}-win64)
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGE_FILE_NAME kalveo-${PROJECT_VERSION}-linux-${CMAKE_SYSTEM_PROCESSOR})
endif()

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The simulator itself runs under Wine on Linux.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS wine)
find_program(KALVEO_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(KALVEO_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  # What the program links, by Debian's package names.
  set(CPACK_DEBIAN_PACKAGE_DEPENDS
      "libc6, libstdc++6, libgcc-s1, libsdl2-2.0-0, libsdl2-mixer-2.0-0, libfreetype6, libfontconfig1, libopengl0, libx11-6, libxi6, libxext6")
endif()

include(CPack)
