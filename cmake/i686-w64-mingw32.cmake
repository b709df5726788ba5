# Cross build for 32-bit Windows with Debian's MinGW-w64. The test programs use the posix
# thread model (GoogleTest needs std::mutex); the programs that ship use the win32 model
# through i686-w64-mingw32-win32.cmake, which sets MINGW_THREAD_MODEL before including
# this file.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

if(NOT MINGW_THREAD_MODEL)
  set(MINGW_THREAD_MODEL posix)
endif()
set(CMAKE_C_COMPILER   i686-w64-mingw32-gcc-${MINGW_THREAD_MODEL})
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-${MINGW_THREAD_MODEL})
set(CMAKE_RC_COMPILER  i686-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
