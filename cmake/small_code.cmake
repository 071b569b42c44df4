# The Windows builds of the libraries the window links, and the window itself, are made for
# size: the shipped program should stay tiny. That code needs neither exceptions nor run-time
# type information, so neither it nor libstdc++'s support for them is carried. Each function gets
# a section of its own, for the linker to drop the unused ones; data does not, as MinGW would then
# store zero-filled variables in the file.
function(sw_small_code target)
  if(WIN32)
    target_compile_options(${target} PRIVATE
      -Os -ffunction-sections -fno-exceptions -fno-rtti -fno-asynchronous-unwind-tables)
  endif()
endfunction()
