# Cross build for 64-bit Windows with Debian's mingw-w64 compilers (g++-mingw-w64-x86-64-posix):
#   cmake -S . -B build-win64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
#         -DGDICT_BUILD_DESKTOP=OFF
# Its tests run under wine64 (Debian's wine64).
set(GDICT_MINGW_TARGET x86_64-w64-mingw32)
set(GDICT_MINGW_PROCESSOR x86_64)
set(GDICT_WINE_NAMES wine64 wine)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
