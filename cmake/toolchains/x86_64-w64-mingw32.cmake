# Cross build of the Windows programs with mingw-w64 (Debian g++-mingw-w64-*).
# The posix thread model is the one whose runtime links statically as a whole
# (libgcc, libstdc++ and winpthread), so the programs need only system DLLs
# and fmod.dll.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)

set(TOVI_MINGW_TRIPLE x86_64-w64-mingw32)
find_program(CMAKE_C_COMPILER NAMES ${TOVI_MINGW_TRIPLE}-gcc-posix ${TOVI_MINGW_TRIPLE}-gcc REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${TOVI_MINGW_TRIPLE}-g++-posix ${TOVI_MINGW_TRIPLE}-g++ REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${TOVI_MINGW_TRIPLE}-windres)
find_program(CMAKE_DLLTOOL NAMES ${TOVI_MINGW_TRIPLE}-dlltool REQUIRED)
find_program(TOVI_OBJDUMP NAMES ${TOVI_MINGW_TRIPLE}-objdump)

set(CMAKE_FIND_ROOT_PATH /usr/${TOVI_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
