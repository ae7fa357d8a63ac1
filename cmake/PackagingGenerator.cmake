# Read by cpack for each package it makes. The Debian package puts the program folder under
# /opt/kalveo and adds the `kalveo` command; every other package is the program folder alone.
# The install rules of Packaging.cmake read the choice from the environment, which cpack
# shares with them (and keeps between packages, so it is set for each one).
if(CPACK_GENERATOR STREQUAL "DEB")
  set(ENV{KALVEO_PACKAGE_LAYOUT} deb)
  set(CPACK_PACKAGING_INSTALL_PREFIX "/")
else()
  set(ENV{KALVEO_PACKAGE_LAYOUT} "")
endif()
