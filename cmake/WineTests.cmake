# GoogleTest programs run under Wine: one CTest entry a test suite, each in one start of
# its program, on a Wine worker of its own (scripts/wine-workers: a prefix, wineserver and
# display for each entry that runs at the same time). A failing entry's output names the
# failing tests. The suites are listed when CTest starts, by running the program with
# --gtest_list_tests, and again only when the program changed.

set(TIPP_WINE_EXEC ${CMAKE_SOURCE_DIR}/scripts/wine-exec)

# add_wine_suites(TARGET [TIMEOUT seconds] [COST n] [EXCLUDE regex] [LABELS ...]
#                 [ENVIRONMENT ...])
# Suites whose name matches EXCLUDE (default: those ending in "Child", which run only in a
# child process that one of the program's tests starts) get no entry. CTest starts the
# entries of a higher COST first.
function(add_wine_suites target)
  cmake_parse_arguments(arg "" "TIMEOUT;COST;EXCLUDE" "LABELS;ENVIRONMENT" ${ARGN})
  if(NOT arg_TIMEOUT)
    set(arg_TIMEOUT ${TIPP_TEST_TIMEOUT})
  endif()
  if(NOT arg_COST)
    set(arg_COST 0)
  endif()
  if(NOT DEFINED arg_EXCLUDE)
    set(arg_EXCLUDE "Child$")
  endif()
  set(script ${CMAKE_CURRENT_BINARY_DIR}/${target}_suites.cmake)
  set(listing ${CMAKE_CURRENT_BINARY_DIR}/${target}_suites_list.cmake)
  set(properties "set_tests_properties(\"\${suite}\" PROPERTIES RESOURCE_GROUPS wine:1 TIMEOUT ${arg_TIMEOUT} COST ${arg_COST})\n")
  if(arg_LABELS)
    string(APPEND properties "  set_tests_properties(\"\${suite}\" PROPERTIES LABELS \"${arg_LABELS}\")\n")
  endif()
  if(arg_ENVIRONMENT)
    string(APPEND properties "  set_tests_properties(\"\${suite}\" PROPERTIES ENVIRONMENT \"${arg_ENVIRONMENT}\")\n")
  endif()
  file(GENERATE OUTPUT ${script} CONTENT "\
set(exe [==[$<TARGET_FILE:${target}>]==])
set(listing [==[${listing}]==])
set(wine_exec [==[${TIPP_WINE_EXEC}]==])
set(exclude [==[${arg_EXCLUDE}]==])
macro(wine_suite_properties suite)
  ${properties}endmacro()
include([==[${CMAKE_SOURCE_DIR}/cmake/WineTestsList.cmake]==])
")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${script})
endfunction()
