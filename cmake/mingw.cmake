# Cross build for Windows with Debian's mingw-w64 packages, included by the
# toolchain file of each processor after it has set the compilers' triple
# (GRABNIK_MINGW_TRIPLE) and CMAKE_SYSTEM_PROCESSOR.
# The posix-thread compilers are required: the win32-thread ones lack
# std::mutex, which GoogleTest needs.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${GRABNIK_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${GRABNIK_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${GRABNIK_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${GRABNIK_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# ctest runs the Windows test programs through Wine; the wrapper keeps the
# prefix, display and debug settings in one place.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-exec.sh)
