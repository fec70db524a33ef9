# Run by CPack once the files are staged (CPACK_PRE_BUILD_SCRIPTS): writes the installer's
# lists of what it installs and what its uninstaller removes, for NSIS.template.in. Program
# files (executables, libraries, help, the read-me) are replaced and removed; everything
# else is sample data that becomes the user's (see the DataFile macros there).
if(NOT CPACK_GENERATOR STREQUAL "NSIS")
  return()
endif()
set(staged "${CPACK_TEMPORARY_DIRECTORY}")
# An even second: the installer keeps a file's time in two-second steps, the comparison
# reads the staged file's own.
string(TIMESTAMP data_time "%s" UTC)
math(EXPR data_time "${data_time} / 2 * 2")
file(GLOB_RECURSE files LIST_DIRECTORIES true RELATIVE "${staged}" "${staged}/*")
list(SORT files)
set(install "")
set(uninstall "")
set(folders "")
set(last_folder "-")
foreach(path ${files})
  string(REPLACE "/" "\\" windows_path "${path}")
  if(IS_DIRECTORY "${staged}/${path}")
    string(APPEND install "  CreateDirectory \"$INSTDIR\\${windows_path}\"\n")
    list(PREPEND folders "${windows_path}")
    continue()
  endif()
  get_filename_component(folder "${path}" DIRECTORY)
  string(REPLACE "/" "\\" folder "${folder}")
  if(NOT folder STREQUAL last_folder)
    string(APPEND install "  SetOutPath \"$INSTDIR\\${folder}\"\n")
    set(last_folder "${folder}")
  endif()
  string(TOLOWER "${path}" lower_path)
  if(lower_path MATCHES "\\.(exe|dll|hlp)$" OR path STREQUAL "README.txt")
    string(APPEND install "  File \"\${INST_DIR}\\${windows_path}\"\n")
    string(APPEND uninstall "  Delete \"$INSTDIR\\${windows_path}\"\n")
  else()
    execute_process(COMMAND touch -m -d "@${data_time}" "${staged}/${path}")
    string(APPEND install "  !insertmacro DataFile \"${windows_path}\"\n")
    # makensis reads the staged file's time by its host path.
    string(APPEND uninstall
           "  !insertmacro RemoveDataFileIfUnchanged \"${windows_path}\" \"${path}\"\n")
  endif()
endforeach()
# Sorted, so a folder's sub-folders come after it; removed deepest first, and only if empty.
foreach(folder ${folders})
  string(APPEND uninstall "  RMDir \"$INSTDIR\\${folder}\"\n")
endforeach()
file(WRITE "${CPACK_TOPLEVEL_DIRECTORY}/install-files.nsh" "${install}")
file(WRITE "${CPACK_TOPLEVEL_DIRECTORY}/uninstall-files.nsh" "${uninstall}")
