# Warnings are kept at zero on both compilers.
add_compile_options(-Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion)
if(TOOLKIT_WERROR)
  add_compile_options(-Werror)
endif()
