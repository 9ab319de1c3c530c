# SPDX-License-Identifier: MIT
# The window system made for tests, with the picture files tests write: what
# the core's tests and the fuzz targets of the core run on, with no display,
# natively and under wine. Included by the tests and by the fuzz targets,
# whichever comes first.
if(NOT TARGET zorvane_test_front_end)
  add_library(zorvane_test_front_end STATIC
    ${CMAKE_CURRENT_LIST_DIR}/test_window_system.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../support/picture_file.cpp)
  target_link_libraries(zorvane_test_front_end PUBLIC Zorvane::runtime)
  target_include_directories(zorvane_test_front_end PUBLIC ${CMAKE_CURRENT_LIST_DIR}/..)
  target_include_directories(zorvane_test_front_end SYSTEM PRIVATE ${ZORVANE_STB_DIR})
  zorvane_target_defaults(zorvane_test_front_end)
endif()
