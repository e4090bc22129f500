# Fails when a file includes one of a layer above its own (cmake/Layers.cmake):
# an engine that includes the form layer, the shell or the view, the form layer
# that includes the view, and so on. Every file under a layer's folders is
# checked, so a new file needs no entry anywhere. The engines, shell/ and form/
# are also built without Qt Widgets, so a widget header cannot even compile
# there. Run as `cmake -DROOT=<source dir> -P LayerIncludes.cmake`.
cmake_minimum_required(VERSION 3.25)
if(NOT ROOT)
  message(FATAL_ERROR "LayerIncludes: pass -DROOT=<source dir>")
endif()
include(${CMAKE_CURRENT_LIST_DIR}/Layers.cmake)

set(all_dirs "")
foreach(layer IN LISTS QUILLANE_LAYERS)
  list(APPEND all_dirs ${QUILLANE_${layer}_DIRS})
endforeach()

set(faults "")
set(count 0)
foreach(layer IN LISTS QUILLANE_LAYERS)
  foreach(dir IN LISTS QUILLANE_${layer}_DIRS)
    file(GLOB_RECURSE files RELATIVE ${ROOT} ${ROOT}/${dir}/*.h ${ROOT}/${dir}/*.cpp)
    foreach(file IN LISTS files)
      math(EXPR count "${count} + 1")
      file(STRINGS ${ROOT}/${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
      foreach(line IN LISTS lines)
        string(REGEX REPLACE "^[^\"]*\"([^\"]*)\".*$" "\\1" included "${line}")
        string(REGEX REPLACE "/.*$" "" top "${included}")
        # A name without a folder is a generated header or a sibling; only our
        # own folders are ruled.
        if(NOT included MATCHES "/" OR NOT top IN_LIST all_dirs)
          continue()
        endif()
        if(NOT top IN_LIST QUILLANE_${layer}_MAY_INCLUDE)
          list(APPEND faults "${file} includes ${included}")
        endif()
      endforeach()
    endforeach()
  endforeach()
endforeach()

if(faults)
  list(JOIN faults "\n  " text)
  message(FATAL_ERROR "A file includes a layer above its own:\n  ${text}")
endif()
message(STATUS "LayerIncludes: ${count} files include only their own layer and those below")
