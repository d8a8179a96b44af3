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

  find_package(X11 REQUIRED)
  add_executable(desktop_close_window desktop_close_window.cpp)
  target_link_libraries(desktop_close_window PRIVATE X11::X11)

  add_test(NAME desktop_e2e
    COMMAND bash "${CMAKE_CURRENT_SOURCE_DIR}/desktop_e2e.sh"
      "$<TARGET_FILE:tolvenar>" "$<TARGET_FILE:tolvenar-headless>" "$<TARGET_FILE:desktop_close_window>")
  set_tests_properties(desktop_e2e PROPERTIES LABELS desktop TIMEOUT 180)
endif()
