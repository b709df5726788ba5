# The CTest entry of the example host (CMakeLists.txt beside this file): compiles SOURCE
# with the command COMPILE, its units into OBJECTS and the program into BIN beside the
# shipped DLLs, then runs it under Wine through WINE_EXEC on the entry's worker.
file(MAKE_DIRECTORY ${OBJECTS})
execute_process(COMMAND ${COMPILE} -FU${OBJECTS} -FE${BIN} ${SOURCE} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "Free Pascal did not compile ${SOURCE}")
endif()
get_filename_component(name ${SOURCE} NAME_WE)
execute_process(COMMAND ${WINE_EXEC} ${BIN}/${name}.exe RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${name}.exe failed (${result})")
endif()
