# GoogleTest on both sides and one helper to declare a test executable.
#
# toolkit_add_test(NAME name SOURCES ... [LIBS ...] [WINDOWS_ONLY] [TIMEOUT seconds]
#                  [ALSA_CONF file])
#
# Natively every test case becomes a CTest test (gtest_discover_tests).
# Under Wine a process start costs about a second, so the Windows build
# registers one CTest test per executable; GoogleTest still runs and reports
# every case inside it.
include_guard(GLOBAL)

if(CMAKE_CROSSCOMPILING)
  if(NOT TARGET gtest)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
    set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/_googletest EXCLUDE_FROM_ALL SYSTEM)
    # GoogleTest's own sources are not ours to keep warning-free.
    foreach(t gtest gtest_main gmock gmock_main)
      if(TARGET ${t})
        target_compile_options(${t} PRIVATE -w)
      endif()
    endforeach()
  endif()
  set(TOOLKIT_GTEST_LIBS gtest gmock gtest_main)
else()
  find_package(GTest REQUIRED)
  set(TOOLKIT_GTEST_LIBS GTest::gtest GTest::gmock GTest::gtest_main)
  include(GoogleTest)
endif()

function(toolkit_add_test)
  cmake_parse_arguments(T "WINDOWS_ONLY" "NAME;TIMEOUT;ALSA_CONF" "SOURCES;LIBS" ${ARGN})
  if(T_WINDOWS_ONLY AND NOT WIN32)
    return()
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  add_executable(${T_NAME} ${T_SOURCES})
  # Test-only helpers every program may use (tools/testing); programs still share no code.
  target_include_directories(${T_NAME} PRIVATE ${CMAKE_SOURCE_DIR}/tools/testing)
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} ${TOOLKIT_GTEST_LIBS})
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${T_NAME} COMMAND ${T_NAME} --gtest_color=no)
    # The runner's own bound stays below CTest's so a hung Wine reports as a timeout (124).
    math(EXPR runner_bound "${T_TIMEOUT} - 10")
    set(env "WINE_RUN_TIMEOUT=${runner_bound}")
    if(T_ALSA_CONF)
      list(APPEND env "WINE_RUN_ASOUNDRC=${T_ALSA_CONF}")
    endif()
    set_tests_properties(${T_NAME} PROPERTIES TIMEOUT ${T_TIMEOUT} ENVIRONMENT "${env}"
                         LABELS windows)
  else()
    gtest_discover_tests(${T_NAME} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT ${T_TIMEOUT}
                         LABELS native)
  endif()
endfunction()

# toolkit_add_scenarios(NAME name SOURCES ... [LIBS ...] [PROGRAMS target...] [TIMEOUT seconds])
#
# Scenarios through a real program (Windows build only): GoogleTest cases on driver::ScenarioTest
# that start a program's real .exe and drive it with the window driver (tools/testing). Every
# TEST_F case in SOURCES becomes a CTest test of its own, so each runs under its own
# tools/wine-run: a fresh prefix and display. PROGRAMS names the executables a case starts; each
# becomes a definition NAME_EXE holding its host path (orvane -> ORVANE_EXE; driver::HostPath
# turns it into a Windows one).
function(toolkit_add_scenarios)
  # UNPRIVILEGED: the cases' Wine runs without root's override of file permissions, so a
  # folder the test made unwritable really refuses writes.
  cmake_parse_arguments(S "UNPRIVILEGED" "NAME;TIMEOUT" "SOURCES;LIBS;PROGRAMS" ${ARGN})
  if(NOT CMAKE_CROSSCOMPILING)
    return()
  endif()
  if(NOT S_TIMEOUT)
    set(S_TIMEOUT 180)
  endif()
  add_executable(${S_NAME} ${S_SOURCES})
  target_link_libraries(${S_NAME} PRIVATE toolkit_window_driver ${S_LIBS} ${TOOLKIT_GTEST_LIBS})
  foreach(program ${S_PROGRAMS})
    string(MAKE_C_IDENTIFIER "${program}" identifier)
    string(TOUPPER "${identifier}" identifier)
    target_compile_definitions(${S_NAME} PRIVATE
      "${identifier}_EXE=\"$<TARGET_FILE:${program}>\"")
    add_dependencies(${S_NAME} ${program})
  endforeach()
  math(EXPR runner_bound "${S_TIMEOUT} - 10")
  set(environment "WINE_RUN_TIMEOUT=${runner_bound}")
  if(S_UNPRIVILEGED)
    list(APPEND environment "WINE_RUN_UNPRIVILEGED=1")
  endif()
  foreach(source ${S_SOURCES})
    get_filename_component(source "${source}" ABSOLUTE)
    file(READ "${source}" text)
    string(REGEX MATCHALL "TEST_F\\([ \t\r\n]*[A-Za-z0-9_]+[ \t\r\n]*,[ \t\r\n]*[A-Za-z0-9_]+" cases "${text}")
    foreach(case ${cases})
      string(REGEX REPLACE "TEST_F\\([ \t\r\n]*([A-Za-z0-9_]+)[ \t\r\n]*,[ \t\r\n]*([A-Za-z0-9_]+)" "\\1.\\2"
             case "${case}")
      add_test(NAME ${S_NAME}.${case} COMMAND ${S_NAME} --gtest_color=no --gtest_filter=${case})
      set_tests_properties(${S_NAME}.${case} PROPERTIES TIMEOUT ${S_TIMEOUT}
                           ENVIRONMENT "${environment}" LABELS "windows;scenario")
    endforeach()
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${source}")
  endforeach()
endfunction()
