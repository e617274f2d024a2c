# Install rules: the programs, the library with its public headers, the CMake
# package and the pkg-config file, man pages and documents.
#
#   bin/                     the programs this build makes (vantrel_add_program)
#   lib/libVantrel.a         the library
#   include/Vantrel/*.h      its public headers (src/ keeps the private ones)
#   lib/cmake/Vantrel/       VantrelConfig.cmake, version file, exported targets
#                            (Vantrel::Vantrel and the programs as Vantrel::quarvin, ...),
#                            the asset functions (VantrelAssets.cmake)
#   lib/pkgconfig/vantrel.pc
#   share/man/man1/          one page per program (VantrelManPages.cmake)
#   share/man/man3/vantrel.3 the library's page (VantrelApiReference.cmake)
#   share/doc/vantrel/api/   the API reference, where doxygen made it (VantrelApiReference.cmake)
#   share/doc/vantrel/       README.md, docs/, LICENSE
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

# The programs a package holds: every one declared with vantrel_add_program
# (cmake/VantrelTargets.cmake) that this build makes.
get_property(VANTREL_INSTALLED_PROGRAMS GLOBAL PROPERTY VANTREL_PROGRAMS)

# The installed name works inside a build that adds this project as a
# subfolder, too.
add_library(Vantrel::Vantrel ALIAS Vantrel)

set(VANTREL_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Vantrel)
set(VANTREL_DOC_DIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/vantrel)

install(TARGETS Vantrel ${VANTREL_INSTALLED_PROGRAMS}
  EXPORT VantrelTargets
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/Vantrel/include/Vantrel
                  ${PROJECT_BINARY_DIR}/generated/include/Vantrel
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}
  FILES_MATCHING PATTERN "*.h")

# The CMake package: find_package(Vantrel CONFIG REQUIRED).
install(EXPORT VantrelTargets NAMESPACE Vantrel:: DESTINATION ${VANTREL_CMAKE_DIR})
# What the library's users must find for it (none unless it links threads).
set(VANTREL_CONFIG_DEPENDENCIES)
get_target_property(vantrel_links Vantrel INTERFACE_LINK_LIBRARIES)
if(vantrel_links MATCHES "Threads::Threads")
  set(VANTREL_CONFIG_DEPENDENCIES "find_dependency(Threads)")
endif()
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/VantrelConfig.cmake.in
  ${PROJECT_BINARY_DIR}/package/VantrelConfig.cmake
  INSTALL_DESTINATION ${VANTREL_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/package/VantrelConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/package/VantrelConfig.cmake
              ${PROJECT_BINARY_DIR}/package/VantrelConfigVersion.cmake
              ${CMAKE_CURRENT_LIST_DIR}/VantrelAssets.cmake
  DESTINATION ${VANTREL_CMAKE_DIR})

# pkg-config finds its prefix from where the .pc file lies, so an installed
# tree may be moved (the .tar.gz package) and still be found.
file(RELATIVE_PATH VANTREL_PC_PREFIX /root/${CMAKE_INSTALL_LIBDIR}/pkgconfig /root)
configure_file(${CMAKE_CURRENT_LIST_DIR}/vantrel.pc.in ${PROJECT_BINARY_DIR}/package/vantrel.pc
  @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/package/vantrel.pc
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

# Documents: the README keeps its links to docs/ by keeping the layout,
# pictures and the animated ship included.
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/LICENSE
  DESTINATION ${VANTREL_DOC_DIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs DESTINATION ${VANTREL_DOC_DIR}
  FILES_MATCHING PATTERN "*.md" PATTERN "*.png" PATTERN "*.webp")

include(${CMAKE_CURRENT_LIST_DIR}/VantrelManPages.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/VantrelApiReference.cmake)
