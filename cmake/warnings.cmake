# Our own code, folder by folder (not the third-party sources built beside it): warnings
# are errors, and every text literal is CP932 in the binary.
macro(petarino_compile_options)
  add_compile_options(-Wall -Wextra -Wpedantic -Wconversion -Wshadow -Werror)
  # Win32 structs are filled with designated initializers, which leave the other fields zero
  # on purpose; g++ 12 warns about every field left out.
  add_compile_options(-Wno-missing-field-initializers)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    add_compile_options(-fexec-charset=CP932)
  endif()
  # Clang knows no other execution charset than UTF-8, so its literals stay UTF-8.
  # Only the fuzz build uses clang, and it checks robustness, not texts.
endmacro()
