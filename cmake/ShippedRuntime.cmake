# The C runtime of the programs that ship. The 32-bit ones use CRTDLL.DLL, the C runtime
# that every Windows from 95 and NT 3.1 to XP has: MSVCRT.DLL, GCC's default, came after
# Windows 95 (with Internet Explorer 4 or other programs) and a Windows 95 as it was
# installed lacks it. The 64-bit build keeps msvcrt.dll, which every 64-bit Windows has.
#
# GCC links -lmsvcrt on its own, after every library of ours. A folder of this build,
# searched before the toolchain's, holds a libmsvcrt.a that is MinGW-w64's import library
# of CRTDLL.DLL, so that every part of the runtime (start-up code, libmingwex, libstdc++)
# is bound to it. A program that links libstdc++'s random_device (the host does, through
# std::runtime_error) needs the glue of host/CrtdllNames.c for three names that CRTDLL.DLL
# spells otherwise or lacks; without it the link fails naming read, close and rand_s.
if(NOT CMAKE_SYSTEM_PROCESSOR STREQUAL i686)
  return()
endif()

execute_process(COMMAND ${CMAKE_C_COMPILER} -print-file-name=libcrtdll.a
                OUTPUT_VARIABLE crtdll_import_library OUTPUT_STRIP_TRAILING_WHITESPACE)
if(NOT IS_ABSOLUTE "${crtdll_import_library}" OR NOT EXISTS "${crtdll_import_library}")
  message(FATAL_ERROR "MinGW-w64's import library of CRTDLL.DLL (libcrtdll.a) was not found")
endif()
set(TIPP_CRTDLL_IMPORT_LIBRARY ${crtdll_import_library} CACHE INTERNAL "Import library of CRTDLL.DLL")
set(runtime_dir ${CMAKE_BINARY_DIR}/runtime)
file(MAKE_DIRECTORY ${runtime_dir})
configure_file(${crtdll_import_library} ${runtime_dir}/libmsvcrt.a COPYONLY)
add_link_options(-L${runtime_dir})
