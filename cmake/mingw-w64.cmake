# Cross build for Windows with Debian's MinGW-w64, for the processor the including
# toolchain file names (i686 or x86_64). The test programs use the posix thread model
# (GoogleTest needs std::mutex); the programs that ship use the win32 model, through the
# *-win32.cmake files, which set MINGW_THREAD_MODEL before including their processor's file.
set(CMAKE_SYSTEM_NAME Windows)

if(NOT MINGW_THREAD_MODEL)
  set(MINGW_THREAD_MODEL posix)
endif()
set(triplet ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32)
set(CMAKE_C_COMPILER   ${triplet}-gcc-${MINGW_THREAD_MODEL})
set(CMAKE_CXX_COMPILER ${triplet}-g++-${MINGW_THREAD_MODEL})
set(CMAKE_RC_COMPILER  ${triplet}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
