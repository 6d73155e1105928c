# Runs the asset generator twice into fresh folders and fails unless both runs
# wrote the show's files byte for byte the same.
#   cmake -DGENERATOR=<kelvor-assets> -DWORK=<scratch folder> "-DFILES=<names>" -P same_bytes_twice.cmake
set(files ${FILES})
if(NOT files)
  message(FATAL_ERROR "FILES names no show files")
endif()
file(REMOVE_RECURSE ${WORK})
foreach(run first second)
  file(MAKE_DIRECTORY ${WORK}/${run})
  execute_process(COMMAND ${GENERATOR} ${WORK}/${run} RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "kelvor-assets failed in the ${run} run: ${result}")
  endif()
endforeach()
foreach(name ${files})
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK}/first/${name} ${WORK}/second/${name}
                  RESULT_VARIABLE different)
  if(NOT different EQUAL 0)
    message(FATAL_ERROR "${name} differs between two runs")
  endif()
endforeach()
file(REMOVE_RECURSE ${WORK})
