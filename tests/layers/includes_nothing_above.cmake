cmake_minimum_required(VERSION 3.25)
# Fails when a file of the pixel library (image, fx, particles, terrain,
# scene) includes a header of the app or platform layers or a library the
# show's platforms bring (SDL, libopenmpt).
file(GLOB_RECURSE pixel_files ${SOURCE}/image/* ${SOURCE}/fx/* ${SOURCE}/particles/*
     ${SOURCE}/terrain/* ${SOURCE}/scene/*)
set(found "")
foreach(path IN LISTS pixel_files)
  file(STRINGS ${path} lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](app/|platform/|SDL|libopenmpt)")
  foreach(line IN LISTS lines)
    string(APPEND found "  ${path}: ${line}\n")
  endforeach()
endforeach()
if(found)
  message(FATAL_ERROR "The pixel library includes the layers above it:\n${found}")
endif()
