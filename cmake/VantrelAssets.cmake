# Converting a game's art at build time with the installed programs.
#
#   vantrel_add_ship(<name> FRAME <first frame .tga or .png> OUTPUT <.sh>
#                    [BORDER] [NO_FEATHER] [OFFSET 0|1])
#   vantrel_add_image_list(<name> LIST <list .txt> OUTPUT <.sh>)
#   vantrel_add_family(<name> LIST <list .txt> OUTPUT <.shp> [RAYS <folder>])
#
# Each adds a custom command that runs the program in batch mode and a target
# <name>, built by default, that other targets may depend on. A relative FRAME
# or LIST is taken from the current source folder, a relative OUTPUT or RAYS
# from the current build folder. The programs run with --no-remember (a build
# never touches the folders a person's runs remember) and --quiet: a
# conversion prints nothing unless it warns or fails.
#
# What a conversion depends on is what the program read: it writes a
# dependency file (--depfile) naming every frame, alpha image, list, listed
# image and listed .sh file of the run, and the folder of a ship whose alpha
# image it looked for and did not find, so that a new alpha image there
# reconverts the ship. The command reads it (DEPFILE), so a second build
# converts nothing and a changed file reconverts what read it alone; the lists
# and the names of frames and alpha images are the programs' own business.
#
# A family's list names .sh files. They are looked for in RAYS, by default the
# folder of the family's OUTPUT, where the game's other asset functions write
# the .sh files it lists: the list can stay in the source tree with the art.
# A list that does not lie in RAYS is copied there (under its own name) when
# CMake configures, and dessamor reads the copy. The family is built after
# every ship and image list of the project, so that the .sh files it lists
# exist on the first build too.

include_guard(GLOBAL)

# What every batch run is given. A project may set VANTREL_BATCH_FLAGS before
# find_package to change it.
if(NOT DEFINED VANTREL_BATCH_FLAGS)
  set(VANTREL_BATCH_FLAGS --no-remember --quiet)
endif()

# The dependency files hold absolute paths, which CMake hands to the build
# tool as they are meant.
if(POLICY CMP0116)
  cmake_policy(SET CMP0116 NEW)
endif()

# The command of a program: its imported target when the package provides it.
function(_vantrel_program out program)
  if(TARGET Vantrel::${program})
    set(${out} Vantrel::${program} "$<TARGET_FILE:Vantrel::${program}>" PARENT_SCOPE)
  elseif(TARGET ${program})
    set(${out} ${program} "$<TARGET_FILE:${program}>" PARENT_SCOPE)
  else()
    message(FATAL_ERROR "vantrel: the program ${program} is not part of this Vantrel package")
  endif()
endfunction()

function(_vantrel_absolute out path base)
  get_filename_component(absolute "${path}" ABSOLUTE BASE_DIR "${base}")
  set(${out} "${absolute}" PARENT_SCOPE)
endfunction()

# The command that runs program on input into output, in folder, with the
# dependency file of the run; a target <name> builds it.
function(_vantrel_add_conversion name program input output folder comment)
  _vantrel_program(command ${program})
  list(GET command 0 program_target)
  list(GET command 1 program_file)
  get_filename_component(output_folder "${output}" DIRECTORY)
  set(depfile_folder "${CMAKE_CURRENT_BINARY_DIR}/vantrel-dependencies")
  set(depfile "${depfile_folder}/${name}.d")
  add_custom_command(OUTPUT "${output}"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${output_folder}" "${depfile_folder}"
    COMMAND ${program_target} ${VANTREL_BATCH_FLAGS} ${ARGN} --depfile "${depfile}"
            -o "${output}" "${input}"
    DEPENDS "${input}" ${program_file}
    DEPFILE "${depfile}"
    WORKING_DIRECTORY "${folder}"
    COMMENT "${comment}"
    VERBATIM)
  add_custom_target(${name} ALL DEPENDS "${output}")
endfunction()

function(vantrel_add_ship name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "BORDER;NO_FEATHER" "FRAME;OUTPUT;OFFSET" "")
  set(caller "vantrel_add_ship(${name})")
  if(arg_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "${caller}: unknown arguments ${arg_UNPARSED_ARGUMENTS}")
  endif()
  if(NOT arg_FRAME OR NOT arg_OUTPUT)
    message(FATAL_ERROR "${caller}: FRAME and OUTPUT are required")
  endif()
  if(NOT DEFINED arg_OFFSET)
    set(arg_OFFSET 0)
  endif()
  if(NOT arg_OFFSET MATCHES "^[01]$")
    message(FATAL_ERROR "${caller}: OFFSET is 0 (frames 00 to 15) or 1 (frames 01 to 16)")
  endif()
  _vantrel_absolute(frame "${arg_FRAME}" "${CMAKE_CURRENT_SOURCE_DIR}")
  _vantrel_absolute(output "${arg_OUTPUT}" "${CMAKE_CURRENT_BINARY_DIR}")
  get_filename_component(folder "${frame}" DIRECTORY)
  get_filename_component(frame_name "${frame}" NAME)
  set(options)
  if(arg_BORDER)
    list(APPEND options --border)
  endif()
  if(arg_NO_FEATHER)
    list(APPEND options --no-feather)
  endif()
  if(arg_OFFSET EQUAL 1)
    list(APPEND options --offset 1)
  endif()
  _vantrel_add_conversion(${name} quarvin "${frame}" "${output}" "${folder}"
    "Converting ship ${frame_name} into ${arg_OUTPUT}" ${options})
  set_property(GLOBAL APPEND PROPERTY _VANTREL_RAY_TARGETS ${name})
endfunction()

function(vantrel_add_image_list name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "LIST;OUTPUT" "")
  set(caller "vantrel_add_image_list(${name})")
  if(arg_UNPARSED_ARGUMENTS OR NOT arg_LIST OR NOT arg_OUTPUT)
    message(FATAL_ERROR "${caller}: takes LIST <list .txt> OUTPUT <.sh>")
  endif()
  _vantrel_absolute(list_file "${arg_LIST}" "${CMAKE_CURRENT_SOURCE_DIR}")
  _vantrel_absolute(output "${arg_OUTPUT}" "${CMAKE_CURRENT_BINARY_DIR}")
  # A name with a folder in it is taken from where the program runs: the list's folder.
  get_filename_component(folder "${list_file}" DIRECTORY)
  _vantrel_add_conversion(${name} plimsor "${list_file}" "${output}" "${folder}"
    "Converting image list ${arg_LIST} into ${arg_OUTPUT}")
  set_property(GLOBAL APPEND PROPERTY _VANTREL_RAY_TARGETS ${name})
endfunction()

# Run at the end of the top folder: the family waits for every ship and image
# list of the project.
function(_vantrel_family_after_rays family)
  get_property(rays GLOBAL PROPERTY _VANTREL_RAY_TARGETS)
  if(rays)
    add_dependencies(${family} ${rays})
  endif()
endfunction()

function(vantrel_add_family name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "LIST;OUTPUT;RAYS" "")
  set(caller "vantrel_add_family(${name})")
  if(arg_UNPARSED_ARGUMENTS OR NOT arg_LIST OR NOT arg_OUTPUT)
    message(FATAL_ERROR "${caller}: takes LIST <list .txt> OUTPUT <.shp> [RAYS <folder>]")
  endif()
  _vantrel_absolute(list_file "${arg_LIST}" "${CMAKE_CURRENT_SOURCE_DIR}")
  _vantrel_absolute(output "${arg_OUTPUT}" "${CMAKE_CURRENT_BINARY_DIR}")
  if(arg_RAYS)
    _vantrel_absolute(rays "${arg_RAYS}" "${CMAKE_CURRENT_BINARY_DIR}")
  else()
    get_filename_component(rays "${output}" DIRECTORY)
  endif()
  if(NOT EXISTS "${list_file}")
    message(FATAL_ERROR "${caller}: the list ${list_file} does not exist")
  endif()
  # dessamor takes the listed .sh files from the list's folder.
  get_filename_component(list_folder "${list_file}" DIRECTORY)
  get_filename_component(list_name "${list_file}" NAME)
  if(NOT list_folder STREQUAL rays)
    configure_file("${list_file}" "${rays}/${list_name}" COPYONLY)
    set(list_file "${rays}/${list_name}")
  endif()
  _vantrel_add_conversion(${name} dessamor "${list_file}" "${output}" "${rays}"
    "Building family ${arg_LIST} into ${arg_OUTPUT}")
  # A deferred call's arguments are read when it runs: the name goes in now.
  cmake_language(EVAL CODE
    "cmake_language(DEFER DIRECTORY [[${CMAKE_SOURCE_DIR}]] CALL _vantrel_family_after_rays [[${name}]])")
endfunction()
