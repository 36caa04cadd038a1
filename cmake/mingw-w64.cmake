# What the two mingw-w64 toolchain files share; each sets GDICT_MINGW_TARGET (the compilers'
# target triplet), GDICT_MINGW_PROCESSOR and GDICT_WINE_NAMES (the wine loaders that run its
# programs, most specific first) and then includes this file.
#
# Debian's g++-mingw-w64-*-posix compilers, whose threads are POSIX threads (std::thread needs
# them). Programs are linked statically, the C++ runtime and the thread library included, so they
# run on a bare Windows with no DLL beside them but the system's own.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${GDICT_MINGW_PROCESSOR})

set(CMAKE_C_COMPILER ${GDICT_MINGW_TARGET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${GDICT_MINGW_TARGET}-g++-posix)
set(CMAKE_RC_COMPILER ${GDICT_MINGW_TARGET}-windres)
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

# Headers and libraries of the target only; programs of the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${GDICT_MINGW_TARGET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# wine runs the test programs (ctest goes through CMAKE_CROSSCOMPILING_EMULATOR). Debian keeps
# its loaders in /usr/lib/wine: wine64 from the wine64 package, wine (32-bit) from wine32:i386.
# wine places the system's shared data at fixed addresses; where the build machine lays out
# processes at random, a library now and then lands there first and wine fails to start or to end
# (about one process in a thousand with Debian 12's wine), so with setarch the programs run with
# that randomisation off.
find_program(GDICT_WINE NAMES ${GDICT_WINE_NAMES} PATHS /usr/lib/wine
             DOC "The wine loader that runs the cross build's programs")
find_program(GDICT_SETARCH setarch DOC "Runs wine without address space randomisation")
if(GDICT_WINE AND GDICT_SETARCH)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${GDICT_SETARCH} -R ${GDICT_WINE})
elseif(GDICT_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${GDICT_WINE})
endif()
