# Registers a GoogleTest program with CTest, one test per suite: every Wine
# process start costs time (32-bit Wine runs emulated on some machines), so a
# suite runs in one process.
function(zel_add_test_suites target prefix)
  set(suites)
  foreach(source IN LISTS ARGN)
    file(READ ${CMAKE_CURRENT_SOURCE_DIR}/${source} text)
    string(REGEX MATCHALL "TEST(_F)?\\(([A-Za-z0-9_]+)," found "${text}")
    foreach(match IN LISTS found)
      string(REGEX REPLACE "TEST(_F)?\\(([A-Za-z0-9_]+)," "\\2" suite "${match}")
      list(APPEND suites ${suite})
    endforeach()
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${source})
  endforeach()
  list(REMOVE_DUPLICATES suites)
  foreach(suite IN LISTS suites)
    add_test(NAME ${prefix}.${suite} COMMAND ${target} --gtest_filter=${suite}.*)
  endforeach()
endfunction()
