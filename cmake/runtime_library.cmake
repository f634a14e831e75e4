# Libraries opened when first used (dlopen), not linked: the program names
# them by their soname, and falls back to the file the build found. The
# Debian package then depends on their packages itself, since the package's
# library scan sees only what is linked.
#
# spurwerk_runtime_library(source PREFIX library): defines PREFIX_SONAME and
# PREFIX_PATH for the one source file that opens the library (the rest of its
# target keeps its flags), and records the library's package. Call it where
# the source's target is made.
function(spurwerk_runtime_library source prefix library)
  get_filename_component(real "${library}" REALPATH)
  set(${prefix}_RUNTIME "" CACHE STRING "The file name the programs open for ${library} (default: its soname)")
  set(soname "${${prefix}_RUNTIME}")
  if(NOT soname AND NOT WIN32 AND NOT APPLE AND CMAKE_OBJDUMP)
    execute_process(COMMAND "${CMAKE_OBJDUMP}" -p "${real}" OUTPUT_VARIABLE dump ERROR_QUIET)
    if(dump MATCHES "SONAME +([^\n ]+)")
      set(soname "${CMAKE_MATCH_1}")
    endif()
  endif()
  set_property(SOURCE "${source}" APPEND PROPERTY COMPILE_DEFINITIONS ${prefix}_SONAME="${soname}" ${prefix}_PATH="${real}")
  find_program(SPURWERK_DPKG_QUERY dpkg-query)
  if(SPURWERK_DPKG_QUERY AND soname)
    get_filename_component(dir "${real}" DIRECTORY)
    execute_process(COMMAND "${SPURWERK_DPKG_QUERY}" -S "${dir}/${soname}" OUTPUT_VARIABLE owner ERROR_QUIET)
    if(owner MATCHES "^([^:, ]+)")
      set_property(GLOBAL APPEND PROPERTY SPURWERK_RUNTIME_PACKAGES "${CMAKE_MATCH_1}")
    endif()
  endif()
endfunction()
