# Runs when CTest starts, once for each program of add_wine_suites (WineTests.cmake), with
# exe, listing, wine_exec and exclude set and the macro wine_suite_properties defined:
# adds one entry a test suite.
if(NOT EXISTS "${exe}")
  get_filename_component(name "${exe}" NAME_WE)
  add_test("${name}.NOT_BUILT" "${exe}")
  return()
endif()

if(NOT EXISTS "${listing}" OR "${exe}" IS_NEWER_THAN "${listing}")
  execute_process(COMMAND "${wine_exec}" "${exe}" --gtest_list_tests
                  OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE result TIMEOUT 300)
  if(NOT result EQUAL 0)
    get_filename_component(name "${exe}" NAME_WE)
    # An entry that fails, with what the program said, rather than no entries at all.
    file(WRITE "${listing}.failed" "listing the tests of ${exe} failed (${result}):\n${output}${errors}\n")
    add_test("${name}.LISTING_FAILED" "${CMAKE_COMMAND}" -E cat "${listing}.failed")
    set_tests_properties("${name}.LISTING_FAILED" PROPERTIES WILL_FAIL TRUE)
    return()
  endif()
  set(content "")
  string(REPLACE "\n" ";" lines "${output}")
  foreach(line IN LISTS lines)
    # A suite line: "Suite." or "Prefix/Suite.  # TypeParam = ...", not indented.
    if(line MATCHES "^([A-Za-z_][A-Za-z0-9_/]*)\\.( |$)")
      set(suite "${CMAKE_MATCH_1}")
      if(exclude AND suite MATCHES "${exclude}")
        continue()
      endif()
      string(APPEND content "add_test([==[${suite}]==] [==[${wine_exec}]==] [==[${exe}]==] [==[--gtest_filter=${suite}.*]==])\n")
      string(APPEND content "wine_suite_properties([==[${suite}]==])\n")
    endif()
  endforeach()
  file(WRITE "${listing}" "${content}")
endif()
include("${listing}")
