# add_unit_tests(NAME DIR LIBS...): one GoogleTest program from every *.cpp in DIR, registered
# with CTest case by case. Test programs run headless (see tests/support/TestMain.cpp).
function(add_unit_tests name dir)
  file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARGN} test_main project_warnings)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  # Programs and tools the tests run are found through TEST_BIN_DIR.
  target_compile_definitions(${name} PRIVATE TEST_BIN_DIR="${CMAKE_BINARY_DIR}/bin")
  # Tests may open devices the host loads at run time.
  add_dependencies(${name} runtime_modules)
  # CMake's discovery (3.25, the version required) gives each case SKIP_REGULAR_EXPRESSION
  # "\\[  SKIPPED \\]", so a case that calls GTEST_SKIP shows as "Skipped" in CTest, not as passed.
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
endfunction()
