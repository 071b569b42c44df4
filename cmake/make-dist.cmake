# Packs the release: cmake -DSOURCE=... -DWIN32_BUILD=... -DWEB_BUILD=... -DNATIVE_BUILD=...
#   -DVERSION=... -DCPACK=... -P make-dist.cmake
# Writes build/native/dist: the zip, the Debian package, the browser page (in the zip too) and
# SHA256SUMS of the three.
set(name "statwarden-${VERSION}")
set(dist "${NATIVE_BUILD}/dist")
set(stage "${dist}/${name}")
file(REMOVE_RECURSE "${dist}")
file(MAKE_DIRECTORY "${stage}")

function(print_size file)
  get_filename_component(base "${file}" NAME)
  file(SIZE "${file}" size)
  message(STATUS "${base}: ${size} bytes")
endfunction()

set(files
  "${WIN32_BUILD}/shell/statwarden.exe"
  "${WIN32_BUILD}/cli/statwarden-cli.exe"
  "${NATIVE_BUILD}/cli/statwarden-cli"
  "${NATIVE_BUILD}/cli/statwarden-cli.1"
  "${WEB_BUILD}/statwarden.html"
  "${SOURCE}/resources/USER-GUIDE.txt")
foreach(file IN LISTS files)
  if(NOT EXISTS "${file}")
    message(FATAL_ERROR "missing: ${file}")
  endif()
  file(COPY "${file}" DESTINATION "${stage}")
  print_size("${file}")
endforeach()
# The licence: the project's, then what the programs carry of others' code.
file(READ "${SOURCE}/LICENSE" licence)
file(READ "${SOURCE}/cmake/third-party.txt" others)
file(WRITE "${stage}/LICENSE" "${licence}${others}")
execute_process(
  COMMAND "${CMAKE_COMMAND}" -E tar cf "${name}.zip" --format=zip "${name}"
  WORKING_DIRECTORY "${dist}"
  RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "could not pack ${name}.zip")
endif()
file(REMOVE_RECURSE "${stage}")

file(REMOVE_RECURSE "${NATIVE_BUILD}/package")
execute_process(
  COMMAND "${CPACK}" --config CPackConfig.cmake
  WORKING_DIRECTORY "${NATIVE_BUILD}"
  OUTPUT_VARIABLE output
  RESULT_VARIABLE failed)
file(GLOB package "${NATIVE_BUILD}/package/*.deb")
list(LENGTH package count)
if(failed OR NOT count EQUAL 1)
  message(FATAL_ERROR "could not build the Debian package:\n${output}")
endif()
file(COPY "${package}" DESTINATION "${dist}")
get_filename_component(package "${package}" NAME)
file(COPY "${WEB_BUILD}/statwarden.html" DESTINATION "${dist}")

# In the format of sha256sum, so that "sha256sum -c SHA256SUMS" checks them all.
set(sums "")
foreach(file IN ITEMS "${name}.zip" "${package}" statwarden.html)
  file(SHA256 "${dist}/${file}" hash)
  string(APPEND sums "${hash}  ${file}\n")
  print_size("${dist}/${file}")
endforeach()
file(WRITE "${dist}/SHA256SUMS" "${sums}")
message(STATUS "${dist}/SHA256SUMS:\n${sums}")
