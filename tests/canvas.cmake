# The software canvas, text and PNG frames; the font-less run; and the blit
# benchmark with its pixel check.
add_executable(tolvenar_canvas_tests canvas_test.cpp)
target_link_libraries(tolvenar_canvas_tests PRIVATE tolvenar_platform_common GTest::gtest_main)
gtest_discover_tests(tolvenar_canvas_tests DISCOVERY_TIMEOUT 60)

# fontconfig with a configuration that lists no font directories at all.
set(no_font_config "${CMAKE_CURRENT_BINARY_DIR}/no-fonts.conf")
file(WRITE "${no_font_config}"
  "<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">\n<fontconfig></fontconfig>\n")
add_executable(tolvenar_canvas_nofont_test canvas_nofont_test.cpp)
target_link_libraries(tolvenar_canvas_nofont_test PRIVATE tolvenar_platform_common)
add_test(NAME canvas.TextWithoutAnyFont COMMAND tolvenar_canvas_nofont_test)
set_tests_properties(canvas.TextWithoutAnyFont PROPERTIES ENVIRONMENT "FONTCONFIG_FILE=${no_font_config}")

# Our blitter against SDL2's RLE colour-key blit and a memcpy floor; run it
# by hand for timings, or under callgrind with --count=WAY (see its header).
# The pixel check that all three agree is a test.
find_package(SDL2 CONFIG REQUIRED)
add_executable(tolvenar_blit_bench bench/blit_bench.cpp)
target_link_libraries(tolvenar_blit_bench PRIVATE tolvenar_platform_common SDL2::SDL2 benchmark::benchmark)
add_test(NAME canvas.BlitterMatchesSdlAndTheCopy COMMAND tolvenar_blit_bench --check)

# The driver's frame, sprite and wave exports.
add_executable(tolvenar_canvas_commands_tests canvas_commands_test.cpp)
target_link_libraries(tolvenar_canvas_commands_tests PRIVATE tolvenar_headless_backend GTest::gtest_main)
gtest_discover_tests(tolvenar_canvas_commands_tests DISCOVERY_TIMEOUT 60)
