# The desktop program: its display-free logic as unit tests, and the real
# program played under Xvfb from outside (label "desktop").
if(TARGET tolvenar)
  add_executable(tolvenar_desktop_tests
    desktop_loop_test.cpp
    desktop_music_test.cpp
    desktop_notice_test.cpp
  )
  target_link_libraries(tolvenar_desktop_tests PRIVATE tolvenar_desktop_logic GTest::gtest_main)
  gtest_discover_tests(tolvenar_desktop_tests DISCOVERY_TIMEOUT 60)
endif()
