# Finding what the build depends on, and saying so.
#
# A required dependency that is missing stops the configuration with the
# Debian package that brings it; nothing is dropped in silence. An optional
# part that is off says which, and why, in the configure output, and the list
# of optional parts is printed once at the end (vantrel_report_optional_parts).
#
#   vantrel_require(<what> <debian package> <found?> [<hint>])
#   vantrel_optional(<part> <on?> <why it is off>)

set_property(GLOBAL PROPERTY VANTREL_OPTIONAL_PARTS "")

function(vantrel_require what package found)
  if(${found})
    return()
  endif()
  set(hint "")
  if(ARGC GREATER 3)
    set(hint "\n${ARGV3}")
  endif()
  message(FATAL_ERROR
    "${what} not found. Install the Debian package ${package}:\n"
    "    apt-get install -y ${package}\n"
    "(scripts/deps.sh installs everything the build needs.)${hint}")
endfunction()

function(vantrel_optional part on why)
  if(${on})
    set(state "on")
  else()
    set(state "OFF (${why})")
    message(STATUS "${part}: off - ${why}")
  endif()
  set_property(GLOBAL APPEND PROPERTY VANTREL_OPTIONAL_PARTS "${part}: ${state}")
endfunction()

function(vantrel_report_optional_parts)
  get_property(parts GLOBAL PROPERTY VANTREL_OPTIONAL_PARTS)
  if(NOT parts)
    return()
  endif()
  message(STATUS "Optional parts of this build:")
  foreach(part IN LISTS parts)
    message(STATUS "  ${part}")
  endforeach()
endfunction()
