# How the project declares its own targets.
#
#   VantrelWarnings      the warnings every target of the project is built
#                        with (-Wall -Wextra -Wpedantic, -Werror with
#                        VANTREL_WERROR); each target links it PRIVATE, so that
#                        third-party code built here (GoogleTest in the cross
#                        build) keeps its own flags
#   vantrel_add_program(<program> [MAIN <source>] [LOGIC <target>]
#                       [LINKS <item>...] [PRIVATE_LINKS <item>...]
#                       [WINDOWED] SUMMARY <text>)
#                        one program of the package, from the current source
#                        folder: MAIN (default main.cpp) is the program; with
#                        LOGIC, the folder's other sources are a static library
#                        of that name (what the tests link) that the program
#                        links. LINKS are linked PUBLIC by the logic (or by the
#                        program without one), PRIVATE_LINKS by the logic only.
#                        WINDOWED: a window-subsystem program on Windows (a
#                        start from the desktop opens no console). SUMMARY is
#                        the NAME line of its man page. The program is
#                        installed (VantrelInstall.cmake) and gets its page
#                        (VantrelManPages.cmake).
#
# Sources are found by globbing, everywhere in the project: a target is the
# .cpp files of its folder, and a choice by platform or processor is a
# subfolder the build picks. A new file then needs no edit of a build file,
# and no list can fall out of step with the folder.

add_library(VantrelWarnings INTERFACE)
target_compile_options(VantrelWarnings INTERFACE -Wall -Wextra -Wpedantic
                       $<$<BOOL:${VANTREL_WERROR}>:-Werror>)

# On Linux the programs carry their own copy of the C++ run-time. A build that
# converts hundreds of images starts a program for each, and mapping and
# relocating libstdc++ and libgcc_s was a third of a `--version` run's CPU
# time. (libpng stays shared, so that its security updates reach the
# programs.) The desktop module keeps the shared run-time: only plain data,
# strings and function tables cross between it and the program, never an
# exception. Sanitizer builds keep the shared run-time their tools expect.
option(VANTREL_STATIC_CXX_RUNTIME "Link the C++ run-time into the programs (Linux)" ON)
set(VANTREL_LINK_STATIC_RUNTIME OFF)
if(NOT WIN32 AND VANTREL_STATIC_CXX_RUNTIME AND NOT VANTREL_SANITIZE AND NOT VANTREL_TSAN
   AND NOT VANTREL_FUZZ)
  set(VANTREL_LINK_STATIC_RUNTIME ON)
endif()

set_property(GLOBAL PROPERTY VANTREL_PROGRAMS "")

function(vantrel_add_program program)
  cmake_parse_arguments(PARSE_ARGV 1 arg "WINDOWED" "MAIN;LOGIC;SUMMARY"
                        "LINKS;PRIVATE_LINKS")
  if(arg_UNPARSED_ARGUMENTS OR NOT arg_SUMMARY)
    message(FATAL_ERROR "vantrel_add_program(${program}): unknown arguments or no SUMMARY")
  endif()
  if(NOT arg_MAIN)
    set(arg_MAIN main.cpp)
  endif()
  add_executable(${program} ${arg_MAIN})
  target_link_libraries(${program} PRIVATE VantrelWarnings)
  if(arg_LOGIC)
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    list(REMOVE_ITEM sources ${CMAKE_CURRENT_SOURCE_DIR}/${arg_MAIN})
    add_library(${arg_LOGIC} STATIC ${sources})
    target_include_directories(${arg_LOGIC} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(${arg_LOGIC} PUBLIC ${arg_LINKS} Vantrel
                          PRIVATE ${arg_PRIVATE_LINKS} VantrelWarnings)
    target_link_libraries(${program} PRIVATE ${arg_LOGIC})
  else()
    target_link_libraries(${program} PRIVATE ${arg_LINKS} ${arg_PRIVATE_LINKS} Vantrel)
  endif()
  if(WIN32 AND arg_WINDOWED)
    set_target_properties(${program} PROPERTIES WIN32_EXECUTABLE ON)
  endif()
  if(VANTREL_LINK_STATIC_RUNTIME)
    target_link_options(${program} PRIVATE -static-libstdc++ -static-libgcc)
  endif()
  set_property(GLOBAL APPEND PROPERTY VANTREL_PROGRAMS ${program})
  set_property(GLOBAL PROPERTY VANTREL_MAN_NAME_${program} "${arg_SUMMARY}")
endfunction()
