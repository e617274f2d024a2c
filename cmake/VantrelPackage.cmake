# Packages of what cmake/VantrelInstall.cmake installs, made in the build
# folder with `cpack -G DEB` (vantrel_<version>_<arch>.deb) or `cpack -G TGZ`.
# The .deb's run-time dependencies (libpng, GTK 3 where the desktop window is
# built in, the C++ run-time) are read from the programs by dpkg-shlibdeps.
set(CPACK_PACKAGE_NAME vantrel)
set(CPACK_PACKAGE_VENDOR "The Vantrel developers")
set(CPACK_PACKAGE_CONTACT "The Vantrel developers <vantrel@example.org>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION "Quarvin, Plimsor and Dessamor turn a game's TGA artwork into run-length
sprite files (.sh, .shp), and rlspreview draws them. The static library
Vantrel loads and draws the sprites on 16-bit surfaces. It comes with its
headers, a CMake package and a pkg-config file.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_RESOURCE_FILE_README ${PROJECT_SOURCE_DIR}/README.md)
set(CPACK_PACKAGE_FILE_NAME vantrel-${PROJECT_VERSION}-${CMAKE_SYSTEM_NAME})

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

set(CPACK_SOURCE_IGNORE_FILES "/build/" "/\\\\.git" "/out/")
include(CPack)
