# GoogleTest for every build (Debian's library natively, built from Debian's sources for
# Windows) and pelox_add_gtest(), which registers a test program with CTest.
include(GoogleTest)

if(CMAKE_CROSSCOMPILING)
  set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  # Added before the project's warning flags so that -Werror only covers our own code.
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  set(PELOX_GTEST_MAIN gtest_main)
  set(PELOX_GTEST gtest)
  set(PELOX_GMOCK gmock)
else()
  find_package(GTest REQUIRED)
  set(PELOX_GTEST_MAIN GTest::gtest_main)
  set(PELOX_GTEST GTest::gtest)
  set(PELOX_GMOCK GTest::gmock)
endif()

# pelox_add_gtest(<name> SOURCES <files...> LIBS <targets...> [OWN_MAIN])
# Natively every test case becomes a CTest test; under Wine one CTest test runs the whole
# program, because each Wine start costs a noticeable fraction of a second.
function(pelox_add_gtest name)
  cmake_parse_arguments(T "OWN_MAIN" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
  if(T_OWN_MAIN)
    target_link_libraries(${name} PRIVATE ${T_LIBS} ${PELOX_GTEST})
  else()
    target_link_libraries(${name} PRIVATE ${T_LIBS} ${PELOX_GTEST_MAIN})
  endif()
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "TZ=CET-1")
  else()
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST PROPERTIES ENVIRONMENT "TZ=CET-1")
  endif()
endfunction()
