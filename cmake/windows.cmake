# SPDX-License-Identifier: MIT
# The Windows build, cross-compiled with cmake/mingw-w64-x86_64.cmake and
# included by the top-level CMakeLists.txt in place of everything that needs
# Qt: it holds the calculator (added before this), the companion
# zorvane-calc.exe and the calculator's tests, every .exe in the build
# folder's top, where tests/windows/run_wine_tests.sh runs them under wine.

if(ZORVANE_SANITIZE OR ZORVANE_FUZZ OR ZORVANE_BUILD_BENCH)
  message(FATAL_ERROR "The Windows build has no sanitizers, fuzz targets or benchmarks: "
                      "configure it with ZORVANE_SANITIZE, ZORVANE_FUZZ and ZORVANE_BUILD_BENCH off")
endif()

add_executable(zorvane-calc app/zorvane_calc.cpp app/calc_io_windows.cpp)
target_link_libraries(zorvane-calc PRIVATE Zorvane::calc)
# The entry point is wmain, which gets the arguments as UTF-16.
target_link_options(zorvane-calc PRIVATE -municode)
zorvane_target_defaults(zorvane-calc)
set_target_properties(zorvane-calc PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR})

if(ZORVANE_BUILD_TESTS)
  # GoogleTest from its sources (Debian's googletest package), built here
  # with the same compiler: the Linux libgtest-dev cannot link into an .exe.
  set(ZORVANE_GOOGLETEST_SOURCE_DIR /usr/src/googletest/googletest CACHE PATH
      "GoogleTest's sources, built into the Windows tests")
  if(NOT EXISTS ${ZORVANE_GOOGLETEST_SOURCE_DIR}/CMakeLists.txt)
    message(FATAL_ERROR "No GoogleTest sources in ${ZORVANE_GOOGLETEST_SOURCE_DIR} (Debian: apt-get install googletest)")
  endif()
  add_subdirectory(${ZORVANE_GOOGLETEST_SOURCE_DIR} ${PROJECT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

  # The same sources as calc_tests in tests/CMakeLists.txt.
  add_executable(calc_tests tests/calc/conversions_test.cpp tests/calc/size_formulas_test.cpp)
  target_link_libraries(calc_tests PRIVATE Zorvane::calc GTest::gtest_main)
  zorvane_target_defaults(calc_tests)
  set_target_properties(calc_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR})

  # The companion behind pipes made on the Windows side; it runs the
  # zorvane-calc.exe beside it.
  add_executable(companion_pipes_tests tests/windows/companion_pipes_test.cpp)
  target_link_libraries(companion_pipes_tests PRIVATE GTest::gtest_main)
  zorvane_target_defaults(companion_pipes_tests)
  set_target_properties(companion_pipes_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR})
  add_dependencies(companion_pipes_tests zorvane-calc)
endif()
