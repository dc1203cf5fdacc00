# Shared part of the two MinGW-w64 toolchains; OMBREL_TRIPLE names the target.
set(CMAKE_SYSTEM_NAME Windows)
# The -posix compilers: GoogleTest needs std::mutex, which the default
# win32 thread model lacks.
set(CMAKE_C_COMPILER ${OMBREL_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${OMBREL_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${OMBREL_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${OMBREL_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
