# One warning policy for every target of the project, on both compilers.
add_library(launcher_warnings INTERFACE)
target_compile_options(launcher_warnings INTERFACE -Wall -Wextra)
if(LAUNCHER_WERROR)
  target_compile_options(launcher_warnings INTERFACE -Werror)
endif()
