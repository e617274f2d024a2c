# <Vantrel/Version.h>: the project's version for the library's users and the
# programs, generated from project() so that it is set in one place.
configure_file(${CMAKE_CURRENT_LIST_DIR}/Version.h.in
               ${PROJECT_BINARY_DIR}/generated/include/Vantrel/Version.h @ONLY)
target_include_directories(Vantrel
  PUBLIC $<BUILD_INTERFACE:${PROJECT_BINARY_DIR}/generated/include>)
