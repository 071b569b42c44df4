# Build-time tools run on the build machine. A native build makes them as ordinary targets; a
# cross build compiles them with the build machine's own compiler. Either way the tool's path is
# left in the cache as <name>_COMMAND and what a command running it must depend on as
# <name>_DEPENDS.
function(sw_host_tool name)
  set(files ${ARGN})
  list(TRANSFORM files PREPEND "${CMAKE_CURRENT_SOURCE_DIR}/")
  if(NOT CMAKE_CROSSCOMPILING)
    add_executable(${name} ${files})
    set(${name}_COMMAND "$<TARGET_FILE:${name}>" CACHE INTERNAL "")
    set(${name}_DEPENDS ${name} CACHE INTERNAL "")
    return()
  endif()
  set(sources ${files})
  list(FILTER sources INCLUDE REGEX "\\.cpp$")
  set(output "${CMAKE_BINARY_DIR}/host/${name}")
  add_custom_command(
    OUTPUT "${output}"
    COMMAND "${CMAKE_COMMAND}" -E make_directory "${CMAKE_BINARY_DIR}/host"
    COMMAND c++ -std=c++20 -O2 -Wall -Wextra -Wpedantic -Werror -o "${output}" ${sources}
    DEPENDS ${files}
    COMMENT "Building ${name} for the build machine")
  add_custom_target(${name} DEPENDS "${output}")
  set(${name}_COMMAND "${output}" CACHE INTERNAL "")
  set(${name}_DEPENDS ${name} "${output}" CACHE INTERNAL "")
endfunction()
