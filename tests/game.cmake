# The game's own tests: the timer table, the score store, and the game played
# in-process and through tolvenar-headless.
add_executable(tolvenar_game_tests
  controls_test.cpp
  driver_test.cpp
  game_inprocess_test.cpp
  play_test.cpp
  score_store_test.cpp
  timers_test.cpp
)
target_include_directories(tolvenar_game_tests PRIVATE "${CMAKE_CURRENT_SOURCE_DIR}")
target_compile_definitions(tolvenar_game_tests PRIVATE TOLVENAR_HEADLESS="$<TARGET_FILE:tolvenar-headless>")
target_link_libraries(tolvenar_game_tests PRIVATE tolvenar_headless_backend GTest::gtest_main)
add_dependencies(tolvenar_game_tests tolvenar-headless)
gtest_discover_tests(tolvenar_game_tests DISCOVERY_TIMEOUT 60)

# Not a test: run it by hand, and under callgrind for instruction counts.
add_executable(tolvenar_game_bench game_bench.cpp)
target_link_libraries(tolvenar_game_bench PRIVATE tolvenar_headless_backend benchmark::benchmark)
