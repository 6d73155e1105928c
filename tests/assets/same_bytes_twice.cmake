# Runs the asset generator twice into fresh folders and fails unless both runs
# wrote the same eight files byte for byte.
#   cmake -DGENERATOR=<kelvor-assets> -DWORK=<scratch folder> -P same_bytes_twice.cmake
set(files data1.pcx data2.pcx data3.pcx data4.pcx data5.pcx data6.pcx data7.pcx demo.xm)
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
