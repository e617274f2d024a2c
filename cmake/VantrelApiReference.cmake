# The library's own documents beside the guides: the API reference and the
# vantrel(3) man page.
#
#   share/doc/vantrel/api/   the API reference (HTML), made by doxygen from
#                            the public headers (docs/Doxyfile.in) where
#                            doxygen is installed
#   share/man/man3/vantrel.3 written by hand (docs/vantrel.3)
#
# Where doxygen is found the reference is part of every build
# (vantrel_api_reference), and a public declaration without its comment
# fails the build: doxygen's warnings are errors. Doxygen passes over the
# free functions, variables and types of a header whose contract does not
# open with /// @file, without a warning; so before it runs, this file, run
# as a script (cmake -DHEADERS=... -P), fails on such a header.
if(CMAKE_SCRIPT_MODE_FILE)
  foreach(header IN LISTS HEADERS)
    file(STRINGS ${header} first LIMIT_COUNT 1)
    if(NOT first STREQUAL "/// @file")
      message(FATAL_ERROR "${header}: the first line is not \"/// @file\": doxygen would "
                          "leave its declarations out of the API reference")
    endif()
  endforeach()
  return()
endif()

option(VANTREL_API_REFERENCE "Build the API reference where doxygen is installed" ON)

install(FILES ${PROJECT_SOURCE_DIR}/docs/vantrel.3 DESTINATION ${CMAKE_INSTALL_MANDIR}/man3)

find_program(DOXYGEN doxygen)
if(NOT VANTREL_API_REFERENCE OR NOT DOXYGEN)
  if(NOT VANTREL_API_REFERENCE)
    set(why "VANTREL_API_REFERENCE is OFF")
  else()
    set(why "doxygen not found; apt-get install -y doxygen")
  endif()
  vantrel_optional("API reference (doxygen)" OFF "${why}")
  return()
endif()
vantrel_optional("API reference (doxygen)" ON "")

set(VANTREL_API_OUTPUT ${PROJECT_BINARY_DIR}/api)
set(api_headers_dir ${PROJECT_SOURCE_DIR}/Vantrel/include/Vantrel)
set(generated_headers_dir ${PROJECT_BINARY_DIR}/generated/include/Vantrel)
set(VANTREL_API_INPUT "\"${api_headers_dir}\" \"${generated_headers_dir}\"")
set(VANTREL_API_STRIP
    "\"${PROJECT_SOURCE_DIR}/Vantrel/include\" \"${PROJECT_BINARY_DIR}/generated/include\"")
configure_file(${PROJECT_SOURCE_DIR}/docs/Doxyfile.in ${VANTREL_API_OUTPUT}/Doxyfile @ONLY)

file(GLOB api_headers CONFIGURE_DEPENDS ${api_headers_dir}/*.h)
file(GLOB generated_headers ${generated_headers_dir}/*.h)
# The old pages go first, so that no page of a header that went stays. The
# stamp is written only when doxygen had nothing to warn about, so a failed
# run is run again by the next build.
set(stamp ${VANTREL_API_OUTPUT}/complete.stamp)
add_custom_command(OUTPUT ${stamp}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${VANTREL_API_OUTPUT}/html ${stamp}
  COMMAND ${CMAKE_COMMAND} "-DHEADERS=${api_headers};${generated_headers}"
          -P ${CMAKE_CURRENT_LIST_FILE}
  COMMAND ${DOXYGEN} ${VANTREL_API_OUTPUT}/Doxyfile
  COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
  DEPENDS ${api_headers} ${generated_headers} ${VANTREL_API_OUTPUT}/Doxyfile
          ${PROJECT_SOURCE_DIR}/docs/api-main.md
  WORKING_DIRECTORY ${VANTREL_API_OUTPUT}
  COMMENT "API reference (doxygen)"
  VERBATIM)
add_custom_target(vantrel_api_reference ALL DEPENDS ${stamp})
install(DIRECTORY ${VANTREL_API_OUTPUT}/html/ DESTINATION ${VANTREL_DOC_DIR}/api)
