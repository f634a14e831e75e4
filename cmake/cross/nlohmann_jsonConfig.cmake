# nlohmann-json for a cross-build: the host's header-only library, copied into
# the build tree so that no other host header is on the include path.
if(NOT TARGET nlohmann_json::nlohmann_json)
  set(NLOHMANN_JSON_HEADER_SOURCE /usr/include/nlohmann CACHE PATH "nlohmann-json's header folder on the build machine")
  set(_nlohmann_json_include ${CMAKE_BINARY_DIR}/cross-include/nlohmann_json)
  file(COPY ${NLOHMANN_JSON_HEADER_SOURCE} DESTINATION ${_nlohmann_json_include})
  add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
  set_target_properties(nlohmann_json::nlohmann_json PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${_nlohmann_json_include})
endif()
set(nlohmann_json_FOUND TRUE)
