# The host build exists to run the window-free logic under ASan and UBSan.
option(OMBREL_SANITIZE "Build the host tests with ASan and UBSan" ON)
if(OMBREL_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
                      -fno-omit-frame-pointer -g)
  add_link_options(-fsanitize=address,undefined)
endif()
