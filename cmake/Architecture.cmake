# Sources that differ by architecture are files of their own, named for it: Name_i686.cpp
# and Name_x86_64.cpp. Everything else is built alike for both.

# Drops from the list in `var` the files of the other architecture.
function(keep_own_architecture var)
  set(kept)
  foreach(file IN LISTS ${var})
    if(file MATCHES "_(i686|x86_64)\\.[A-Za-z]+$" AND NOT CMAKE_MATCH_1 STREQUAL CMAKE_SYSTEM_PROCESSOR)
      continue()
    endif()
    list(APPEND kept ${file})
  endforeach()
  set(${var} ${kept} PARENT_SCOPE)
endfunction()
