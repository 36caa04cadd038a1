# The gdict that the build itself runs, to encipher the string table (res/strings) and to build
# the bundled dictionary (data/): GDICT_BUILD_TOOL is its path, GDICT_BUILD_TOOL_DEPENDS what a
# build step that runs it depends on.
#
# A native build runs the gdict it builds. A cross build cannot run its own, so it runs
# GDICT_HOST_GDICT when that names a gdict of the build machine (such as build/bin/gdict of a
# native build), and otherwise builds one for the build machine in host-gdict/ first, with the
# build machine's compiler. Either gives the same files, byte for byte: what gdict stores does
# not depend on the machine it runs on.
set(GDICT_HOST_GDICT "" CACHE FILEPATH
    "A gdict that runs on the build machine, for the build steps of a cross build")

if(NOT CMAKE_CROSSCOMPILING)
  set(GDICT_BUILD_TOOL $<TARGET_FILE:gdict>)
  set(GDICT_BUILD_TOOL_DEPENDS gdict)
elseif(GDICT_HOST_GDICT)
  if(NOT EXISTS ${GDICT_HOST_GDICT})
    message(FATAL_ERROR "GDICT_HOST_GDICT: there is no ${GDICT_HOST_GDICT}")
  endif()
  set(GDICT_BUILD_TOOL ${GDICT_HOST_GDICT})
  set(GDICT_BUILD_TOOL_DEPENDS ${GDICT_HOST_GDICT})
else()
  include(ExternalProject)
  set(GDICT_HOST_BUILD_DIR ${CMAKE_BINARY_DIR}/host-gdict)
  set(GDICT_BUILD_TOOL ${GDICT_HOST_BUILD_DIR}/bin/gdict)
  set(GDICT_HOST_CMAKE_ARGS
      -DGDICT_BUILD_DESKTOP=OFF
      -DGDICT_BUILD_TESTS=OFF
      -DGDICT_BUILD_BENCH=OFF
      -DGDICT_DICTIONARY_NAME=${GDICT_DICTIONARY_NAME})
  if(CMAKE_CXX_COMPILER_LAUNCHER)
    list(APPEND GDICT_HOST_CMAKE_ARGS -DCMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER})
  endif()
  # Built every time the cross build is, so that it follows changes to the sources; when nothing
  # changed that is a quick check.
  ExternalProject_Add(host_gdict
    SOURCE_DIR ${PROJECT_SOURCE_DIR}
    BINARY_DIR ${GDICT_HOST_BUILD_DIR}
    CMAKE_ARGS ${GDICT_HOST_CMAKE_ARGS}
    BUILD_COMMAND ${CMAKE_COMMAND} --build ${GDICT_HOST_BUILD_DIR} --target gdict
    BUILD_ALWAYS TRUE
    BUILD_BYPRODUCTS ${GDICT_BUILD_TOOL}
    INSTALL_COMMAND "")
  set(GDICT_BUILD_TOOL_DEPENDS host_gdict ${GDICT_BUILD_TOOL})
endif()
