# KELVOR_SHOW_FILE_NAMES: the names of the show's files, in order, from the
# list the C++ code includes (src/scene/show_files.def).
set(KELVOR_SHOW_FILES_LIST ${CMAKE_CURRENT_LIST_DIR}/../src/scene/show_files.def)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${KELVOR_SHOW_FILES_LIST})
file(STRINGS ${KELVOR_SHOW_FILES_LIST} show_file_lines REGEX "^KELVOR_SHOW_FILE\\(")
set(KELVOR_SHOW_FILE_NAMES "")
foreach(line IN LISTS show_file_lines)
  string(REGEX REPLACE "^KELVOR_SHOW_FILE\\([a-z0-9]+, \"([^\"]+)\".*" "\\1" name "${line}")
  list(APPEND KELVOR_SHOW_FILE_NAMES ${name})
endforeach()
list(LENGTH KELVOR_SHOW_FILE_NAMES show_file_count)
if(show_file_count EQUAL 0)
  message(FATAL_ERROR "No show files listed in ${KELVOR_SHOW_FILES_LIST}")
endif()
