# Cross-building for 64-bit Windows with mingw-w64 on Linux; tests run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

# The posix-threads flavour: GoogleTest needs std::mutex, which the win32
# flavour's libstdc++ lacks.
find_program(CMAKE_C_COMPILER NAMES x86_64-w64-mingw32-gcc-posix)
find_program(CMAKE_CXX_COMPILER NAMES x86_64-w64-mingw32-g++-posix)
find_program(CMAKE_RC_COMPILER NAMES x86_64-w64-mingw32-windres)
if(NOT CMAKE_C_COMPILER OR NOT CMAKE_CXX_COMPILER OR NOT CMAKE_RC_COMPILER)
  message(FATAL_ERROR "mingw-w64 posix compilers or windres not found (Debian: g++-mingw-w64-x86-64-posix, binutils-mingw-w64-x86-64)")
endif()

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Packages too, or find_package would take the build machine's own GoogleTest.
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

find_program(WINE_PROGRAM NAMES wine)
if(NOT WINE_PROGRAM)
  message(FATAL_ERROR "wine not found: the tests run under Wine (Debian: wine, wine64)")
endif()
set(CMAKE_CROSSCOMPILING_EMULATOR ${WINE_PROGRAM})
