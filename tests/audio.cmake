# The effect sounds and the music: the waves built into the game, BGM.mid,
# the score reader and MIDI writer, and that the generators reproduce the
# committed files byte for byte.
add_executable(tolvenar_audio_tests
  audio_music_test.cpp
  audio_regen_test.cpp
  audio_score_test.cpp
  audio_waves_test.cpp
)
target_link_libraries(tolvenar_audio_tests PRIVATE tolvenar_resources tolvenar_score GTest::gtest_main)
target_compile_definitions(tolvenar_audio_tests PRIVATE
  TOLVENAR_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
  TOLVENAR_AUDIO_SCRATCH="${CMAKE_CURRENT_BINARY_DIR}/audio-regen"
  TOLVENAR_WAVEGEN="$<TARGET_FILE:tolvenar-wavegen>"
  TOLVENAR_MIDIGEN="$<TARGET_FILE:tolvenar-midigen>")
add_dependencies(tolvenar_audio_tests tolvenar-wavegen tolvenar-midigen)
gtest_discover_tests(tolvenar_audio_tests DISCOVERY_TIMEOUT 60)
