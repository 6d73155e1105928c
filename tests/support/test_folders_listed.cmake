cmake_minimum_required(VERSION 3.25)
# Fails when a folder of tests/ holds a CMakeLists.txt that tests/CMakeLists.txt
# does not list in KELVOR_TEST_FOLDERS (passed as LISTED).
file(GLOB lists RELATIVE ${TESTS} ${TESTS}/*/CMakeLists.txt)
set(missing "")
foreach(list IN LISTS lists)
  get_filename_component(folder ${list} DIRECTORY)
  if(NOT folder IN_LIST LISTED)
    string(APPEND missing " ${folder}")
  endif()
endforeach()
if(missing)
  message(FATAL_ERROR "tests/CMakeLists.txt does not list these test folders in KELVOR_TEST_FOLDERS:${missing}")
endif()
