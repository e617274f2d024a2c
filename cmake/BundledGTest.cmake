# GoogleTest for a cross build: Debian ships no prebuilt library for the
# target, so it is built from the source that libgtest-dev installs. It
# provides the same GTest:: targets as find_package(GTest).
set(GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest source folder")
if(NOT EXISTS ${GTEST_SOURCE_DIR}/CMakeLists.txt)
  message(FATAL_ERROR "GoogleTest source not found in ${GTEST_SOURCE_DIR} (install libgtest-dev)")
endif()
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
# Built as third-party code, without the project's warnings (VantrelWarnings);
# its headers are system headers for the tests.
add_subdirectory(${GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
