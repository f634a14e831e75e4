# Test programs and benchmarks are compiled on every test run and never
# shipped. What they test or time lives in the libraries (core, archive, GUI)
# and the programs, which keep the build type's flags; the test sources
# themselves need line numbers in failure reports, not speed or full debug
# information. This about halves their compile time.

# spurwerk_test_build_flags(): less optimisation and line tables only for the
# C++ targets made after it in the calling directory and its subdirectories,
# in optimised builds (a Debug build stays as it is, for the debugger).
macro(spurwerk_test_build_flags)
  if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    # clang's -Og is its -O1; -O0 is the cheap one (also under the sanitizers).
    add_compile_options("$<$<AND:$<COMPILE_LANGUAGE:CXX>,$<CONFIG:Release,RelWithDebInfo,MinSizeRel>>:-O0>"
                        "$<$<AND:$<COMPILE_LANGUAGE:CXX>,$<CONFIG:RelWithDebInfo>>:-gline-tables-only>")
  elseif(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    add_compile_options("$<$<AND:$<COMPILE_LANGUAGE:CXX>,$<CONFIG:Release,RelWithDebInfo,MinSizeRel>>:-Og>"
                        "$<$<AND:$<COMPILE_LANGUAGE:CXX>,$<CONFIG:RelWithDebInfo>>:-g1>")
  endif()
endmacro()

# spurwerk_bench_build_flags(): line tables only; benchmarks keep the build
# type's optimisation, so what they time runs as it does in the program.
macro(spurwerk_bench_build_flags)
  if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    add_compile_options("$<$<AND:$<COMPILE_LANGUAGE:CXX>,$<CONFIG:RelWithDebInfo>>:-gline-tables-only>")
  elseif(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    add_compile_options("$<$<AND:$<COMPILE_LANGUAGE:CXX>,$<CONFIG:RelWithDebInfo>>:-g1>")
  endif()
endmacro()
