# Man pages, made at build time by help2man from each program's --help and
# --version, so they cannot disagree with the programs. Without help2man, or
# when the programs cannot run on the build machine (cross builds), there are
# none; the package check insists on them.
find_program(HELP2MAN help2man)
if(NOT HELP2MAN OR CMAKE_CROSSCOMPILING)
  message(STATUS "No man pages: help2man not found or cross build")
  return()
endif()

set(man_pages)
foreach(program IN LISTS VANTREL_INSTALLED_PROGRAMS)
  # The NAME line: the program's SUMMARY (vantrel_add_program).
  get_property(name GLOBAL PROPERTY VANTREL_MAN_NAME_${program})
  set(page ${PROJECT_BINARY_DIR}/man/${program}.1)
  # help2man takes a further usage form into the SYNOPSIS only after "or:";
  # the converters' --help aligns theirs under the first. The program runs
  # through a script that marks them so.
  set(runner ${PROJECT_BINARY_DIR}/man/runners/${program})
  file(GENERATE OUTPUT ${runner}
    CONTENT "#!/bin/sh\n\"$<TARGET_FILE:${program}>\" \"$@\" 2>&1 | sed 's/^       ${program} /  or: ${program} /'\n"
    FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                     WORLD_READ WORLD_EXECUTE)
  add_custom_command(OUTPUT ${page}
    COMMAND ${HELP2MAN} --no-info --no-discard-stderr --section=1
            --name=${name} --include=${CMAKE_CURRENT_LIST_DIR}/man-see-also.h2m
            --output=${page} ${runner}
    DEPENDS ${program} ${runner} ${CMAKE_CURRENT_LIST_DIR}/man-see-also.h2m
    COMMENT "Man page of ${program}"
    VERBATIM)
  list(APPEND man_pages ${page})
endforeach()
add_custom_target(vantrel_man_pages ALL DEPENDS ${man_pages})
install(FILES ${man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
