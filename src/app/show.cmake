# The show: the Demo and its frame loop, built once as a library so that the
# tests can link it against a fake platform, and the kelvor program, which
# links it against the live SDL2/libopenmpt layer.
add_library(kelvor_demo STATIC ${CMAKE_CURRENT_LIST_DIR}/demo.cpp)
target_link_libraries(kelvor_demo PUBLIC kelvor_pixels kelvor_clock)

if(KELVOR_SHOW)
  add_executable(kelvor ${CMAKE_CURRENT_LIST_DIR}/main.cpp)
  target_link_libraries(kelvor PRIVATE kelvor_show_start kelvor_demo kelvor_pixels kelvor_clock kelvor_platform_sdl)
  set_target_properties(kelvor PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${KELVOR_PROGRAM_DIR})
endif()
