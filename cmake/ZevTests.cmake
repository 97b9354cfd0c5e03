# zev_add_gtest(NAME [WINDOWS] SOURCES ... LIBRARIES ...): a GoogleTest
# executable with the common main, the scratch-file helpers and the project's
# flags (C++ only, so that resource scripts among the sources are left alone),
# its tests registered with CTest one by one. WINDOWS marks tests that open
# windows: they take turns on the one desktop, because a test's window can
# take the activation and the keyboard focus from a test running alongside.
function(zev_add_gtest name)
  cmake_parse_arguments(ARG "WINDOWS" "" "SOURCES;LIBRARIES" ${ARGN})
  set(properties TIMEOUT 120)
  if(ARG_WINDOWS)
    list(APPEND properties RESOURCE_LOCK desktop)
  endif()
  add_executable(${name} ${ARG_SOURCES}
                         ${CMAKE_SOURCE_DIR}/tests/support/test_main.cpp
                         ${CMAKE_SOURCE_DIR}/tests/support/testfiles.cpp)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests/support)
  target_compile_options(${name} PRIVATE
      "$<$<COMPILE_LANGUAGE:CXX>:${ZEV_WARNING_FLAGS};${ZEV_CHARSET_FLAGS}>")
  target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} gtest)
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
                       PROPERTIES ${properties})
endfunction()
