# One INTERFACE target carries the language level, the warnings and the
# sanitizers, so every library and test is built the same way.
add_library(scrubix_build_options INTERFACE)
target_compile_features(scrubix_build_options INTERFACE cxx_std_20)
target_compile_options(scrubix_build_options INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion
  -Wnon-virtual-dtor -Woverloaded-virtual)
if(SCRUBIX_WERROR)
  target_compile_options(scrubix_build_options INTERFACE -Werror)
endif()
if(SCRUBIX_SANITIZE)
  target_compile_options(scrubix_build_options INTERFACE
    -fsanitize=${SCRUBIX_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=all)
  target_link_options(scrubix_build_options INTERFACE -fsanitize=${SCRUBIX_SANITIZE})
endif()
if(SCRUBIX_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "SCRUBIX_FUZZ needs clang (libFuzzer)")
  endif()
  # Everything is instrumented for coverage; only the harnesses link the
  # fuzzer's main.
  target_compile_options(scrubix_build_options INTERFACE -fsanitize=fuzzer-no-link)
  target_link_options(scrubix_build_options INTERFACE -fsanitize=fuzzer-no-link)
endif()
