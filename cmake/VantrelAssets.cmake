# Converting a game's art at build time with the installed programs.
#
#   vantrel_add_ship(<name> FRAME <first frame .tga or .png> OUTPUT <.sh>
#                    [BORDER] [NO_FEATHER] [OFFSET 0|1])
#   vantrel_add_image_list(<name> LIST <list .txt> OUTPUT <.sh>)
#   vantrel_add_family(<name> LIST <list .txt> OUTPUT <.shp>)
#
# Each adds a custom command that runs the program in batch mode (with
# --no-remember, so a build never touches the folders a person's runs
# remember) and a target <name>, built by default, that other targets may
# depend on. A relative FRAME or LIST is taken from the current source folder,
# a relative OUTPUT from the current build folder.
#
# The command depends on every file the program reads: a ship's 16 frames and
# the alpha images a_<ship>NN.tga that exist beside them (looked for again at
# every build, so a new alpha image reconverts the ship; both are .png files,
# the extension as written, when FRAME is one), every image of an
# image list, every .sh file of a family list, the list itself, and the
# program. A list is read when CMake configures, and a change to it configures
# again. So a second build converts nothing, and a changed frame reconverts its
# ship alone. A .sh file that another vantrel_add_* call of the same project
# writes is also a target-level dependency, which every generator honours.
#
# The lists are read by the programs' own rules: a line at most 255 bytes
# (the rest of a longer line is the next line), a carriage return before the
# line feed dropped, empty lines and lines that start with // skipped, names
# taken as written. Image lists: ".tga" added unless the fourth-last character
# is a point, the first 64 names taken, a name without a slash relative to the
# list's folder. Family lists: a line starting with ':' is a text, ".sh" added
# unless the third-last character is a point, the first six names taken, each
# relative to the list's folder. The commands run in the list's folder.

include_guard(GLOBAL)

# What every batch run is given: leave the remembered folders alone. A
# project may set VANTREL_BATCH_FLAGS before find_package to change it.
if(NOT DEFINED VANTREL_BATCH_FLAGS)
  set(VANTREL_BATCH_FLAGS --no-remember)
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

# The lines of a list file as ReadListLine gives them, one CMake list item
# each. A semicolon, which CMake lists cannot hold, comes as the byte 0x1A.
function(_vantrel_read_list out list_file)
  if(NOT EXISTS "${list_file}")
    message(FATAL_ERROR "vantrel: the list ${list_file} does not exist")
  endif()
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${list_file}")
  file(READ "${list_file}" text)
  string(ASCII 26 substitute)
  string(REPLACE ";" "${substitute}" text "${text}")
  string(REPLACE "\r\n" "\n" text "${text}")
  string(REPLACE "\n" ";" raw_lines "${text}")
  set(lines)
  foreach(raw IN LISTS raw_lines)
    # A longer line comes in pieces of 255 bytes.
    string(LENGTH "${raw}" length)
    set(start 0)
    while(start LESS length)
      string(SUBSTRING "${raw}" ${start} 255 piece)
      math(EXPR start "${start} + 255")
      string(SUBSTRING "${piece}" 0 2 head)
      if(NOT head STREQUAL "//")
        list(APPEND lines "${piece}")
      endif()
    endwhile()
  endforeach()
  set(${out} "${lines}" PARENT_SCOPE)
endfunction()

# Refuses a name that the build files could not carry.
function(_vantrel_check_name caller name)
  string(ASCII 26 substitute)
  if(name MATCHES "${substitute}")
    message(FATAL_ERROR "${caller}: the list names a file with a ';' in it; rename the file")
  endif()
endfunction()

# True when `name` ends in a point and `letters` characters, e.g. "x.tga".
function(_vantrel_has_suffix out name letters)
  string(LENGTH "${name}" length)
  math(EXPR at "${length} - ${letters} - 1")
  set(result FALSE)
  if(at GREATER_EQUAL 0)
    string(SUBSTRING "${name}" ${at} 1 character)
    if(character STREQUAL ".")
      set(result TRUE)
    endif()
  endif()
  set(${out} ${result} PARENT_SCOPE)
endfunction()

function(_vantrel_add_conversion name output comment)
  cmake_parse_arguments(PARSE_ARGV 3 arg "" "WORKING_DIRECTORY" "COMMAND;DEPENDS")
  get_filename_component(output_folder "${output}" DIRECTORY)
  add_custom_command(OUTPUT "${output}"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${output_folder}"
    COMMAND ${arg_COMMAND}
    DEPENDS ${arg_DEPENDS}
    WORKING_DIRECTORY "${arg_WORKING_DIRECTORY}"
    COMMENT "${comment}"
    VERBATIM)
  add_custom_target(${name} ALL DEPENDS "${output}")
  # Whoever lists this output finds the target that makes it.
  set_property(GLOBAL PROPERTY _VANTREL_MADE_BY_${output} ${name})
endfunction()

function(_vantrel_depend_on_makers name)
  foreach(input IN LISTS ARGN)
    get_property(maker GLOBAL PROPERTY _VANTREL_MADE_BY_${input})
    if(maker)
      add_dependencies(${name} ${maker})
    endif()
  endforeach()
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
  _vantrel_program(program quarvin)
  list(GET program 0 program_command)
  list(GET program 1 program_file)

  # The ship's name is the frame's file name without its last six characters
  # (two digits and ".tga"). A PNG frame names PNG frames and alpha images
  # with its extension as written; any other names .tga files.
  get_filename_component(folder "${frame}" DIRECTORY)
  get_filename_component(file_name "${frame}" NAME)
  string(LENGTH "${file_name}" length)
  if(length LESS 7)
    message(FATAL_ERROR "${caller}: ${file_name} is no frame name like wasp00.tga")
  endif()
  math(EXPR length "${length} - 6")
  string(SUBSTRING "${file_name}" 0 ${length} ship)
  set(extension .tga)
  if(file_name MATCHES "\\.[Pp][Nn][Gg]$")
    math(EXPR at "${length} + 2")
    string(SUBSTRING "${file_name}" ${at} -1 extension)
  endif()

  set(options)
  set(feather TRUE)
  if(arg_BORDER)
    list(APPEND options --border)
    set(feather FALSE)
  endif()
  if(arg_NO_FEATHER)
    list(APPEND options --no-feather)
    set(feather FALSE)
  endif()
  if(arg_OFFSET EQUAL 1)
    list(APPEND options --offset 1)
  endif()

  # The 16 frames must be there now; alpha images are read only when feathering.
  set(inputs)
  set(numbers)
  math(EXPR last "${arg_OFFSET} + 15")
  foreach(number RANGE ${arg_OFFSET} ${last})
    if(number LESS 10)
      set(number "0${number}")
    endif()
    list(APPEND numbers ${number})
    set(main "${folder}/${ship}${number}${extension}")
    if(NOT EXISTS "${main}")
      message(FATAL_ERROR "${caller}: ${main} is missing; a ship needs the 16 frames "
                          "${ship}0${arg_OFFSET}${extension} to ${ship}${last}${extension}")
    endif()
    list(APPEND inputs "${main}")
  endforeach()
  if(feather)
    file(GLOB candidates CONFIGURE_DEPENDS "${folder}/a_${ship}[0-9][0-9]${extension}")
    foreach(number IN LISTS numbers)
      set(alpha "${folder}/a_${ship}${number}${extension}")
      if(alpha IN_LIST candidates)
        list(APPEND inputs "${alpha}")
      endif()
    endforeach()
  endif()

  _vantrel_add_conversion(${name} "${output}" "Converting ship ${ship} into ${arg_OUTPUT}"
    COMMAND ${program_command} ${VANTREL_BATCH_FLAGS} ${options} -o "${output}" "${frame}"
    DEPENDS ${inputs} ${program_file}
    WORKING_DIRECTORY "${folder}")
endfunction()

function(vantrel_add_image_list name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "LIST;OUTPUT" "")
  set(caller "vantrel_add_image_list(${name})")
  if(arg_UNPARSED_ARGUMENTS OR NOT arg_LIST OR NOT arg_OUTPUT)
    message(FATAL_ERROR "${caller}: takes LIST <list .txt> OUTPUT <.sh>")
  endif()
  _vantrel_absolute(list_file "${arg_LIST}" "${CMAKE_CURRENT_SOURCE_DIR}")
  _vantrel_absolute(output "${arg_OUTPUT}" "${CMAKE_CURRENT_BINARY_DIR}")
  _vantrel_program(program plimsor)
  list(GET program 0 program_command)
  list(GET program 1 program_file)
  get_filename_component(folder "${list_file}" DIRECTORY)

  _vantrel_read_list(lines "${list_file}")
  set(images)
  foreach(line IN LISTS lines)
    list(LENGTH images count)
    if(count EQUAL 64)
      break()
    endif()
    _vantrel_check_name("${caller}" "${line}")
    _vantrel_has_suffix(has_suffix "${line}" 3)
    if(NOT has_suffix)
      string(APPEND line ".tga")
    endif()
    _vantrel_absolute(image "${line}" "${folder}")
    list(APPEND images "${image}")
  endforeach()

  _vantrel_add_conversion(${name} "${output}" "Converting image list ${arg_LIST} into ${arg_OUTPUT}"
    COMMAND ${program_command} ${VANTREL_BATCH_FLAGS} -o "${output}" "${list_file}"
    DEPENDS "${list_file}" ${images} ${program_file}
    WORKING_DIRECTORY "${folder}")
endfunction()

function(vantrel_add_family name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "LIST;OUTPUT" "")
  set(caller "vantrel_add_family(${name})")
  if(arg_UNPARSED_ARGUMENTS OR NOT arg_LIST OR NOT arg_OUTPUT)
    message(FATAL_ERROR "${caller}: takes LIST <list .txt> OUTPUT <.shp>")
  endif()
  _vantrel_absolute(list_file "${arg_LIST}" "${CMAKE_CURRENT_SOURCE_DIR}")
  _vantrel_absolute(output "${arg_OUTPUT}" "${CMAKE_CURRENT_BINARY_DIR}")
  _vantrel_program(program dessamor)
  list(GET program 0 program_command)
  list(GET program 1 program_file)
  get_filename_component(folder "${list_file}" DIRECTORY)

  _vantrel_read_list(lines "${list_file}")
  set(rays)
  set(taken 0)
  foreach(line IN LISTS lines)
    string(SUBSTRING "${line}" 0 1 head)
    if(head STREQUAL ":" OR taken EQUAL 6)
      continue()
    endif()
    math(EXPR taken "${taken} + 1")
    _vantrel_check_name("${caller}" "${line}")
    _vantrel_has_suffix(has_suffix "${line}" 2)
    if(NOT has_suffix)
      string(APPEND line ".sh")
    endif()
    # Always joined to the list's folder, as the program does.
    get_filename_component(ray "${folder}/${line}" ABSOLUTE)
    list(APPEND rays "${ray}")
  endforeach()
  list(REMOVE_DUPLICATES rays)

  _vantrel_add_conversion(${name} "${output}" "Building family ${arg_LIST} into ${arg_OUTPUT}"
    COMMAND ${program_command} ${VANTREL_BATCH_FLAGS} -o "${output}" "${list_file}"
    DEPENDS "${list_file}" ${rays} ${program_file}
    WORKING_DIRECTORY "${folder}")
  _vantrel_depend_on_makers(${name} ${rays})
endfunction()
