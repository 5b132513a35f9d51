# SANITIZE=ON builds everything the project compiles (libraries, the modules the host loads at
# run time, programs, tools and tests) with AddressSanitizer and UndefinedBehaviorSanitizer.
# Any finding stops the program (no recovery). Libraries from the system are not rebuilt; what
# is found inside them is suppressed at run time (cmake/sanitizers/lsan.supp for leaks, asan.supp
# for the rest; see `make sanitize`).
#
# FUZZ=ON (with clang) does the same and also instruments everything for libFuzzer's coverage;
# the fuzz targets (fuzz/) are then linked with libFuzzer.
option(SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(FUZZ "Build the fuzz targets with libFuzzer (clang), everything sanitized" OFF)

if(SANITIZE OR FUZZ)
  # -O1: the usual optimisation for sanitizer builds, quicker to compile than -O2 and with
  # stack traces that still name every frame.
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all -O1)
  # GCC's flow analysis sees through the sanitizers' instrumentation poorly: at -O1 with ASan it
  # reports uninitialised reads inside the standard library (std::regex's states) that the normal
  # build, which keeps the warning, does not. Only this warning is left out here.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    add_compile_options(-Wno-maybe-uninitialized)
  endif()
  add_link_options(-fsanitize=address,undefined)
endif()
if(FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "FUZZ=ON needs clang (libFuzzer): configure with CC=clang CXX=clang++")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
