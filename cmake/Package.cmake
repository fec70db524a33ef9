# The Windows release: version resources for every program, library and companion, and a
# CPack ZIP audio-toolkit-VERSION-win64.zip (cmake --build --preset windows --target package):
#
#   README.txt              what each program is and how to start it on its sample
#   PROGRAM/PROGRAM.exe     each program in a folder of its own, with its sample data beside
#                           it, so starting it from Explorer (the folder is then the working
#                           directory) opens the sample as tools/demo does
#   orvane/About.DLL        the manager's splash and about library, found beside the program
#   companions/*.exe        the command-line companions
#
# Programs left out with TOOLKIT_PROGRAMS, or whose window does not exist yet, are left out
# of the package and its test. Included after the programs, in the Windows build only.
include_guard(GLOBAL)
include(VersionResource)

# toolkit_package_program(NAME DESCRIPTION WINDOW [ARGS ...] [SAMPLES dir] [FILES file...]
#                         [FOLDERS name...] [GENERATOR target args...] [PREPARE command...]
#                         [EXPECT file...])
#
# WINDOW: the class name of the program's main window, or a part of its title; the package
# test waits for it. ARGS: the command line the sample needs (as tools/demo gives it).
# SAMPLES: a folder whose contents go beside the program. FILES: further files beside it.
# FOLDERS: empty folders made beside it. GENERATOR: a Windows executable (and its arguments)
# that writes sample data, run under Wine at packaging time in the program's staged folder;
# relative names in the sample data keep it valid wherever the package is unpacked.
# PREPARE: a host command run there after it, with the folder as its last argument.
# EXPECT: sample files (relative to the program's folder) the package test looks for.
function(toolkit_package_program name description window)
  cmake_parse_arguments(P "" "SAMPLES" "ARGS;FILES;FOLDERS;GENERATOR;PREPARE;EXPECT" ${ARGN})
  if(NOT TARGET ${name})
    message(STATUS "Package: ${name} is not built here and is left out")
    return()
  endif()
  toolkit_version_resource(${name} "${description}")
  install(TARGETS ${name} RUNTIME DESTINATION ${name})
  if(P_SAMPLES)
    install(DIRECTORY ${P_SAMPLES}/ DESTINATION ${name})
  endif()
  if(P_FILES)
    install(FILES ${P_FILES} DESTINATION ${name})
  endif()
  foreach(folder ${P_FOLDERS})
    install(DIRECTORY DESTINATION ${name}/${folder})
  endforeach()
  # Samples are made where the package is staged, so they never touch the source tree.
  set(generator "")
  if(P_GENERATOR)
    list(POP_FRONT P_GENERATOR generator)
  endif()
  if(generator AND TARGET ${generator})
    set(generator_arguments "")
    foreach(argument ${P_GENERATOR})
      # Bracketed, so Windows folder names keep their backslashes.
      string(APPEND generator_arguments " [==[${argument}]==]")
    endforeach()
    install(CODE "
      set(folder \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${name}\")
      execute_process(COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:${generator}>
                              ${generator_arguments} WORKING_DIRECTORY \"\${folder}\" RESULT_VARIABLE status)
      if(NOT status EQUAL 0)
        message(FATAL_ERROR \"${name}: the sample generator failed (\${status})\")
      endif()")
  endif()
  if(P_PREPARE)
    install(CODE "
      set(folder \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${name}\")
      execute_process(COMMAND ${P_PREPARE} \"\${folder}\" RESULT_VARIABLE status)
      if(NOT status EQUAL 0)
        message(FATAL_ERROR \"${name}: preparing the samples failed (\${status})\")
      endif()")
  endif()
  string(REPLACE ";" " " arguments "${P_ARGS}")
  set_property(GLOBAL APPEND_STRING PROPERTY toolkit_package_test_lines
               "program|${name}|${window}|${arguments}\n")
  # The installer's Start-menu entry, named as the description before its colon, starting
  # the program in its own folder. No arguments: a user's own files come first there later.
  string(REGEX REPLACE ":.*" "" title "${description}")
  string(REGEX REPLACE "^[^:]*: *" "" what "${description}")
  string(CONCAT shortcut "  SetOutPath \"$INSTDIR\\${name}\"\n"
         "  CreateShortCut \"\${MENU_FOLDER}\\${title}.lnk\" \"$INSTDIR\\${name}\\${name}.exe\""
         " \"\" \"\" 0 SW_SHOWNORMAL \"\" \"${what}\"\n")
  set_property(GLOBAL APPEND_STRING PROPERTY toolkit_nsis_shortcuts "${shortcut}")
  set_property(GLOBAL APPEND_STRING PROPERTY toolkit_nsis_delete_shortcuts
               "  Delete \"\${MENU_FOLDER}\\${title}.lnk\"\n")
  set_property(GLOBAL APPEND_STRING PROPERTY toolkit_package_test_lines
               "shortcut|${title}|${name}|${window}\n")
  set_property(GLOBAL APPEND_STRING PROPERTY toolkit_package_test_lines "file|${name}/${name}.exe\n")
  foreach(file ${P_FILES})
    get_filename_component(file_name ${file} NAME)
    list(APPEND P_EXPECT ${file_name})
  endforeach()
  foreach(file ${P_EXPECT})
    set_property(GLOBAL APPEND_STRING PROPERTY toolkit_package_test_lines "file|${name}/${file}\n")
  endforeach()
endfunction()

# A library installed beside a program, under the name the program loads it by.
function(toolkit_package_library target program description)
  if(NOT TARGET ${target} OR NOT TARGET ${program})
    return()
  endif()
  toolkit_version_resource(${target} "${description}")
  install(TARGETS ${target} RUNTIME DESTINATION ${program} LIBRARY DESTINATION ${program})
  get_target_property(output_name ${target} OUTPUT_NAME)
  get_target_property(suffix ${target} SUFFIX)
  set_property(GLOBAL APPEND_STRING PROPERTY toolkit_package_test_lines
               "file|${program}/${output_name}${suffix}\n")
endfunction()

function(toolkit_package_companion target description)
  if(NOT TARGET ${target})
    return()
  endif()
  toolkit_version_resource(${target} "${description}")
  install(TARGETS ${target} RUNTIME DESTINATION companions)
  set_property(GLOBAL APPEND_STRING PROPERTY toolkit_package_test_lines
               "file|companions/${target}.exe\n")
endfunction()

toolkit_package_program(nuvella "Nuvella Reader: newsletter reader" nuv95Main
                        SAMPLES ${CMAKE_SOURCE_DIR}/nuvella/samples EXPECT nuvella1.txt)
toolkit_package_program(orvane "Orvane Manager: song library manager" TMainForm
                        FOLDERS songs GENERATOR orvane-samples .\\songs .
                        EXPECT "(Default).OVM" "songs/Morning Light.mp3" "songs/Morning Light.TXT")
toolkit_package_library(orvane_about orvane "Orvane Manager: splash screen and about box")
toolkit_package_program(talvik "Talvik: sample splitter" TalvikForm1
                        PREPARE sh ${CMAKE_SOURCE_DIR}/packaging/talvik-samples.sh
                                ${CMAKE_SOURCE_DIR}/talvik/windows/samples/make_samples.sh
                        EXPECT track01.RAW track02.RAW tvk.prf)
toolkit_package_program(brevant "Brevant: multitrack recorder" MyWin
                        GENERATOR brevant-sample-song ARGS demo.sng
                        EXPECT demo.sng demo.mid bass.wav chords.wav pad.wav click.wav)

toolkit_package_companion(nuvella-outline "Nuvella outline: prints the outline of newsletter issues")
toolkit_package_companion(orvane-info "Orvane info: prints MP3 header data, play time and tag")
toolkit_package_companion(talvik-split "Talvik split: finds and saves the sounds of raw tracks")
toolkit_package_companion(brevant-render "Brevant render: renders a song to one WAVE file")

# The read-me, with Windows line ends so that Notepad shows its lines.
file(READ ${CMAKE_SOURCE_DIR}/packaging/README-Windows.txt readme)
string(CONFIGURE "${readme}" readme @ONLY)
string(REPLACE "\r\n" "\n" readme "${readme}")
string(REPLACE "\n" "\r\n" readme "${readme}")
file(WRITE ${CMAKE_BINARY_DIR}/package/README.txt "${readme}")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             ${CMAKE_SOURCE_DIR}/packaging/README-Windows.txt)
install(FILES ${CMAKE_BINARY_DIR}/package/README.txt DESTINATION .)
set_property(GLOBAL APPEND_STRING PROPERTY toolkit_package_test_lines "file|README.txt\n")

# The package target builds everything first; CPack's own install step then only copies, so
# the package test (run after the build) does not build again.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
# The ZIP to unpack anywhere, and a per-user installer (packaging/NSIS.template.in).
set(CPACK_GENERATOR ZIP NSIS)
set(CPACK_PACKAGE_NAME audio-toolkit)
set(CPACK_PACKAGE_VENDOR "Audio Toolkit")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(toolkit_package_name audio-toolkit-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_FILE_NAME ${toolkit_package_name})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
# Symbols are for debugging here, not for users.
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
set(CPACK_PACKAGE_INSTALL_DIRECTORY "Audio Toolkit")
# One entry in the installed-programs list whatever the version, so a new one replaces it.
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY "Audio Toolkit")
set(CPACK_MODULE_PATH ${CMAKE_SOURCE_DIR}/packaging)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_SOURCE_DIR}/packaging/nsis-options.cmake)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_SOURCE_DIR}/packaging/nsis-files.cmake)
get_property(CPACK_TOOLKIT_NSIS_SHORTCUTS GLOBAL PROPERTY toolkit_nsis_shortcuts)
get_property(CPACK_TOOLKIT_NSIS_DELETE_SHORTCUTS GLOBAL PROPERTY toolkit_nsis_delete_shortcuts)
# The NSIS lines hold quotes, backslashes and dollars.
set(CPACK_VERBATIM_VARIABLES ON)
include(CPack)

# The package test: the ZIP unpacked into a fresh folder, its files, what they import, their
# manifests, and each program started there under Wine on its sample (one Wine start per
# program); then the installer, its Start-menu entries and its uninstaller in one Wine start.
add_executable(package_probe ${CMAKE_SOURCE_DIR}/tools/tests/package_probe.cpp)
target_link_libraries(package_probe PRIVATE user32 version advapi32 shell32 ole32 uuid)
get_property(lines GLOBAL PROPERTY toolkit_package_test_lines)
file(WRITE ${CMAKE_BINARY_DIR}/package/package_test.conf
     "package|${toolkit_package_name}|${PROJECT_VERSION}\n${lines}")
add_test(NAME package_test
         COMMAND bash ${CMAKE_SOURCE_DIR}/tools/tests/package_test.sh ${CMAKE_BINARY_DIR}
                 ${CMAKE_CPACK_COMMAND} ${CMAKE_OBJDUMP} ${CMAKE_RC_COMPILER}
                 $<TARGET_FILE:package_probe>
                 ${CMAKE_BINARY_DIR}/package/package_test.conf)
set_tests_properties(package_test PROPERTIES TIMEOUT 900 LABELS windows COST 60)
