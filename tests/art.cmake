# The pictures built into the game, and the generator that draws them.
add_executable(art_test "${CMAKE_CURRENT_LIST_DIR}/art_test.cpp" "${CMAKE_CURRENT_LIST_DIR}/art_raster_test.cpp")
target_link_libraries(art_test PRIVATE tolvenar_platform_common tolvenar_art_raster GTest::gtest_main)
gtest_discover_tests(art_test)

add_test(NAME art_export_matches_committed_bitmaps
  COMMAND "${CMAKE_COMMAND}" "-DTOOL=$<TARGET_FILE:tolvenar-art>"
          "-DEXPECTED=${PROJECT_SOURCE_DIR}/resources/bitmaps"
          "-DOUT=${CMAKE_CURRENT_BINARY_DIR}/art-export"
          -P "${PROJECT_SOURCE_DIR}/tools/art/check_export.cmake")
