# Warning flags shared by every target of the project.
add_library(murlo_warnings INTERFACE)
target_compile_options(murlo_warnings INTERFACE -Wall -Wextra)
if(MURLO_WERROR)
  target_compile_options(murlo_warnings INTERFACE -Werror)
endif()
