# The fuzz build (preset "fuzz"): clang's libFuzzer over the portable
# runtime. Every object carries the fuzzer's coverage hooks; ASan and UBSan
# come from Sanitizers.cmake. This build makes the fuzz targets only.
option(OMBREL_FUZZ "Build the libFuzzer targets (clang) instead of the unit tests" OFF)
if(OMBREL_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "OMBREL_FUZZ needs clang++ (libFuzzer); use the fuzz preset")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
