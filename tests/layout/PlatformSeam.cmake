# Fails when a source outside platform/ (and platform's own tests) includes a header of SDL,
# SDL_ttf, SDL_mixer, FreeType, fontconfig, libjpeg or libpng: the rest of the program reaches
# those libraries only through platform/.
# cmake -DSOURCE_DIR=<repository root> -P PlatformSeam.cmake
cmake_policy(SET CMP0009 NEW)  # links (the build tree's data link) are not followed
file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR}
  ${SOURCE_DIR}/*.h ${SOURCE_DIR}/*.hpp ${SOURCE_DIR}/*.c ${SOURCE_DIR}/*.cc ${SOURCE_DIR}/*.cpp)
set(library_header [[^[ 	]*#[ 	]*include[ 	]*[<"](SDL[^>"]*|ft2build\.h|freetype/[^>"]*|fontconfig/[^>"]*|jpeglib\.h|jerror\.h|jmorecfg\.h|jconfig\.h|png\.h|pngconf\.h)[>"]|^[ 	]*#[ 	]*include[ 	]+FT_]])
set(offenders "")
foreach(source IN LISTS sources)
  # The present benchmark's baseline is plain SDL on purpose: it measures what platform/ adds.
  if(source MATCHES "^(build|\\.)" OR source MATCHES "/CMakeFiles/" OR source MATCHES "^(tests/)?platform/"
     OR source STREQUAL "bench/MinimalPresenter.cpp")
    continue()
  endif()
  file(STRINGS ${SOURCE_DIR}/${source} lines REGEX "${library_header}")
  foreach(line IN LISTS lines)
    string(STRIP "${line}" line)
    list(APPEND offenders "${source}: ${line}")
  endforeach()
endforeach()
if(offenders)
  list(JOIN offenders "\n  " text)
  message(FATAL_ERROR "only platform/ may include the system libraries' headers:\n  ${text}")
endif()
