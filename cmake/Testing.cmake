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
