# The live engines: playback, recording and MIDI over small device interfaces
# (portable), their winmm and MCI adapters (Windows only) and their tests.
add_library(brevant_live STATIC
  ${CMAKE_CURRENT_LIST_DIR}/playback_engine.cpp
  ${CMAKE_CURRENT_LIST_DIR}/recording_engine.cpp
  ${CMAKE_CURRENT_LIST_DIR}/midi_sync.cpp
  ${CMAKE_CURRENT_LIST_DIR}/midi_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/transport.cpp)
target_include_directories(brevant_live PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(brevant_live PUBLIC brevant_engine brevant_config)

toolkit_add_test(NAME brevant_live_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/playback_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/tests/recording_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/tests/midi_test.cpp
  LIBS brevant_live brevant_wave_testing)
# The song's scripted dialogs answer the take's addition to the song.
target_include_directories(brevant_live_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../song/tests)
