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
          ${CMAKE_CURRENT_LIST_DIR}/tests/transport_faults_test.cpp
  LIBS brevant_live brevant_wave_testing)
# The song's scripted dialogs answer the take's addition to the song.
target_include_directories(brevant_live_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../song/tests)

if(WIN32)
  # The adapters on the real devices: waveOut*, waveIn* and the MCI sequencer.
  add_library(brevant_live_win32 STATIC
    ${CMAKE_CURRENT_LIST_DIR}/winmm_wave_out_win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/winmm_wave_in_win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/mci_sequencer_win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/device_notices_win32.cpp)
  target_link_libraries(brevant_live_win32 PUBLIC brevant_live winmm user32)

  # Wine plays into one file and records from another; the paths are absolute
  # because the runner copies the configuration into a private home.
  set(BREVANT_LIVE_PLAY_FILE ${CMAKE_CURRENT_BINARY_DIR}/live_play.raw)
  set(BREVANT_LIVE_FEED_FILE ${CMAKE_CURRENT_BINARY_DIR}/live_feed.raw)
  configure_file(${CMAKE_CURRENT_LIST_DIR}/tests/live_devices.asoundrc.in
                 ${CMAKE_CURRENT_BINARY_DIR}/live_devices.asoundrc @ONLY)
  toolkit_add_test(NAME brevant_live_devices_tests WINDOWS_ONLY TIMEOUT 180
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/live_devices_test.cpp
    LIBS brevant_live_win32 brevant_wave_testing
    ALSA_CONF ${CMAKE_CURRENT_BINARY_DIR}/live_devices.asoundrc)
  target_include_directories(brevant_live_devices_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../song/tests)
  target_compile_definitions(brevant_live_devices_tests PRIVATE
    BREVANT_LIVE_PLAY_FILE="${BREVANT_LIVE_PLAY_FILE}" BREVANT_LIVE_FEED_FILE="${BREVANT_LIVE_FEED_FILE}")
endif()
