# AddressSanitizer and UndefinedBehaviorSanitizer for the whole build when MURLO_SANITIZE is on.
if(MURLO_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
# ThreadSanitizer for the whole build when MURLO_TSAN is on. It cannot share a build with
# AddressSanitizer.
if(MURLO_TSAN AND MURLO_SANITIZE)
  message(FATAL_ERROR "MURLO_TSAN and MURLO_SANITIZE need separate builds")
endif()
if(MURLO_TSAN)
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
endif()
if(MURLO_FUZZ AND NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "MURLO_FUZZ needs clang (libFuzzer)")
endif()
if(MURLO_FUZZ)
  # Coverage in every object, so that the fuzz targets are guided by the library code they
  # drive and not only by their own few lines.
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
