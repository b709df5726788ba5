# The programs that ship, with the win32 thread model: its runtime needs no threading
# library, whose imports (GetTickCount64, AddVectoredExceptionHandler,
# TryEnterCriticalSection and more) Windows 95, 98, ME and NT 4.0 lack.
set(MINGW_THREAD_MODEL win32)
include(${CMAKE_CURRENT_LIST_DIR}/i686-w64-mingw32.cmake)
