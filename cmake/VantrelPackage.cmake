# Packages of what cmake/VantrelInstall.cmake installs, made in the build
# folder with `cpack -G DEB` or `cpack -G TGZ` (one archive of everything).
# The .deb is split in two, so that a build server installs the programs
# without GTK:
#   vantrel_<version>_<arch>.deb          programs, library, headers, guides;
#                                         recommends vantrel-desktop
#   vantrel-desktop_<version>_<arch>.deb  the desktop window module (GTK 3),
#                                         which the programs open only when
#                                         the desktop window is asked for
# Each package's run-time dependencies (libpng, GTK 3, the C++ run-time) are
# read from its own files by dpkg-shlibdeps.
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
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_TOOLS_PACKAGE_NAME vantrel)
set(CPACK_DEBIAN_DESKTOP_PACKAGE_NAME vantrel-desktop)
set(CPACK_COMPONENT_TOOLS_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_COMPONENT_DESKTOP_DESCRIPTION "The desktop window of the Vantrel sprite tools (GTK 3)")
if(TARGET VantrelDesktop)
  set(CPACK_COMPONENTS_ALL tools desktop)
  set(CPACK_DEBIAN_TOOLS_PACKAGE_RECOMMENDS "vantrel-desktop (= ${PROJECT_VERSION})")
  set(CPACK_DEBIAN_DESKTOP_PACKAGE_DEPENDS "vantrel (= ${PROJECT_VERSION})")
else()
  set(CPACK_COMPONENTS_ALL tools)
endif()

set(CPACK_SOURCE_IGNORE_FILES "/build/" "/\\\\.git" "/out/")
include(CPack)
