# Fails when an engine file reaches above the engines: the engines (the line
# store and its wrap, Shift-JIS, the bitmap, the canvas, fonts and vertical text,
# JPEG segments, the Exif thumbnail, streams, the codec, the thumbnail encoder,
# the count picture) may include only base/ and one another, so none of them can
# see TForm1, whether through shell/Unit1.h itself or through a header that
# includes it. Run as `cmake -DROOT=<source dir> -P EngineIncludes.cmake`.
cmake_minimum_required(VERSION 3.25)
if(NOT ROOT)
  message(FATAL_ERROR "EngineIncludes: pass -DROOT=<source dir>")
endif()

set(ENGINE_PATTERNS
  text/HEditor.* text/Wrap.* text/Sjis.* text/Iconv.h text/Encoding.* text/Entities.*
  text/TextFile.* text/FileNames.*
  render/ABitmap.* render/BmpFile.* render/Canvas*.* render/Fonts.* render/VerticalText.*
  export/JpegSegments.* export/ExifThumb.* export/Streams.* export/JpegCodec.*
  export/JpegTTx.* export/CountThumb.*)

set(engines "")
foreach(pattern IN LISTS ENGINE_PATTERNS)
  file(GLOB found RELATIVE ${ROOT} ${ROOT}/${pattern})
  if(NOT found)
    # A renamed engine must be renamed here too, or it would escape the check.
    message(FATAL_ERROR "EngineIncludes: no file matches ${pattern}")
  endif()
  list(APPEND engines ${found})
endforeach()

set(faults "")
foreach(file IN LISTS engines)
  file(STRINGS ${ROOT}/${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "^[^\"]*\"([^\"]*)\".*$" "\\1" included "${line}")
    if(included MATCHES "^base/")
      continue()
    endif()
    if(included IN_LIST engines)
      continue()
    endif()
    list(APPEND faults "${file} includes ${included}")
  endforeach()
endforeach()

if(faults)
  list(JOIN faults "\n  " text)
  message(FATAL_ERROR "Engine files may include only base/ and other engines:\n  ${text}")
endif()
list(LENGTH engines count)
message(STATUS "EngineIncludes: ${count} engine files include only base/ and engines")
