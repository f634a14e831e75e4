# GoogleTest for a cross-build: compiled from the host's source package with
# the cross compiler, under the names find_package(GTest) gives.
if(NOT TARGET gtest)
  set(GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources on the build machine")
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  add_subdirectory(${GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  # Recent GoogleTest sources name their targets GTest::... themselves.
  foreach(_gtest_lib gtest gtest_main gmock gmock_main)
    if(NOT TARGET GTest::${_gtest_lib})
      add_library(GTest::${_gtest_lib} ALIAS ${_gtest_lib})
    endif()
  endforeach()
endif()
set(GTest_FOUND TRUE)
