# 64-bit Windows: the same sources, for machines that run no 32-bit programs
# (scripts/windows-build.sh).
set(GRABNIK_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
