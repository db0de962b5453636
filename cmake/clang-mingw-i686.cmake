# Cross build for 32-bit Windows with clang: the second compiler CI builds
# with. It uses the mingw-w64 headers, libraries and linker, and the C++
# library of the posix-thread mingw-w64 GCC, whose folder clang does not find
# by itself (Debian names it "12-posix", not a plain version).
include(${CMAKE_CURRENT_LIST_DIR}/mingw-i686.cmake)

set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET i686-w64-mingw32)
set(CMAKE_CXX_COMPILER_TARGET i686-w64-mingw32)

execute_process(COMMAND i686-w64-mingw32-g++-posix -print-libgcc-file-name
                OUTPUT_VARIABLE libgcc OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
cmake_path(GET libgcc PARENT_PATH gcc_dir)
set(CMAKE_CXX_FLAGS_INIT "-isystem ${gcc_dir}/include/c++ -isystem ${gcc_dir}/include/c++/i686-w64-mingw32")
# -pthread puts the thread library after libgcc_eh, whose thread-local
# storage needs it in a static link.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-L${gcc_dir} -pthread")
