# CLI11 for a cross-build: the host's headers, copied into the build tree so
# that no other host header is on the include path.
if(NOT TARGET CLI11::CLI11)
  set(CLI11_HEADER_SOURCE /usr/include/CLI CACHE PATH "CLI11's header folder on the build machine")
  set(_cli11_include ${CMAKE_BINARY_DIR}/cross-include/cli11)
  file(COPY ${CLI11_HEADER_SOURCE} DESTINATION ${_cli11_include})
  add_library(CLI11::CLI11 INTERFACE IMPORTED)
  set_target_properties(CLI11::CLI11 PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${_cli11_include})
endif()
set(CLI11_FOUND TRUE)
