# Cross build for 32-bit Windows with Debian's mingw-w64 compilers (g++-mingw-w64-i686-posix):
#   cmake -S . -B build-win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake \
#         -DGDICT_BUILD_DESKTOP=OFF
# Its tests run under a wine that runs 32-bit programs (Debian's wine32:i386).
set(GDICT_MINGW_TARGET i686-w64-mingw32)
set(GDICT_MINGW_PROCESSOR x86)
set(GDICT_WINE_NAMES wine)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
