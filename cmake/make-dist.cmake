# Packs the release: cmake -DSOURCE=... -DWIN32_BUILD=... -DNATIVE_BUILD=... -DVERSION=...
#   -P make-dist.cmake
set(name "statwarden-${VERSION}")
set(stage "${NATIVE_BUILD}/dist/${name}")
file(REMOVE_RECURSE "${NATIVE_BUILD}/dist")
file(MAKE_DIRECTORY "${stage}")
set(files
  "${WIN32_BUILD}/shell/statwarden.exe"
  "${WIN32_BUILD}/cli/statwarden-cli.exe"
  "${NATIVE_BUILD}/cli/statwarden-cli"
  "${SOURCE}/resources/USER-GUIDE.txt")
foreach(file IN LISTS files)
  if(NOT EXISTS "${file}")
    message(FATAL_ERROR "missing: ${file}")
  endif()
  file(COPY "${file}" DESTINATION "${stage}")
  get_filename_component(base "${file}" NAME)
  file(SIZE "${file}" size)
  message(STATUS "${base}: ${size} bytes")
endforeach()
execute_process(
  COMMAND "${CMAKE_COMMAND}" -E tar cf "${name}.zip" --format=zip "${name}"
  WORKING_DIRECTORY "${NATIVE_BUILD}/dist"
  RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "could not pack ${name}.zip")
endif()
file(SIZE "${NATIVE_BUILD}/dist/${name}.zip" size)
message(STATUS "${NATIVE_BUILD}/dist/${name}.zip: ${size} bytes")
