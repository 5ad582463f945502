# Fails when a source outside platform/ (and platform's own tests) includes a header of SDL,
# SDL_ttf, SDL_mixer, FreeType, fontconfig, libjpeg or libpng: the rest of the program reaches
# those libraries only through platform/. Fails too when the program's folders above platform/
# include a POSIX, <filesystem> or <fstream> header, run a program (popen) or read the
# environment: files, folders and the desktop are platform/'s, which another edition replaces.
# cmake -DSOURCE_DIR=<repository root> -P PlatformSeam.cmake
cmake_policy(SET CMP0009 NEW)  # links (the build tree's data link) are not followed
cmake_policy(SET CMP0007 NEW)  # a line with a semicolon stays one offender
file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR}
  ${SOURCE_DIR}/*.h ${SOURCE_DIR}/*.hpp ${SOURCE_DIR}/*.c ${SOURCE_DIR}/*.cc ${SOURCE_DIR}/*.cpp)
set(library_header [[^[ 	]*#[ 	]*include[ 	]*[<"](SDL[^>"]*|ft2build\.h|freetype/[^>"]*|fontconfig/[^>"]*|jpeglib\.h|jerror\.h|jmorecfg\.h|jconfig\.h|png\.h|pngconf\.h)[>"]|^[ 	]*#[ 	]*include[ 	]+FT_]])
set(system_header [[^[ 	]*#[ 	]*include[ 	]*<(filesystem|fstream|unistd\.h|fcntl\.h|signal\.h|csignal|dirent\.h|poll\.h|pwd\.h|dlfcn\.h|spawn\.h|termios\.h|pthread\.h|sys/[^>]*)>|(^|[^A-Za-z_])(popen|getenv)[ 	]*\(]])
# tools/, bench/ and tests/ stand beside the program and may use the system as they like.
set(beside_program "^(tests|tools|bench)/")
set(offenders "")
foreach(source IN LISTS sources)
  # The present benchmark's baseline is plain SDL on purpose: it measures what platform/ adds.
  if(source MATCHES "^(build|\\.)" OR source MATCHES "/CMakeFiles/" OR source MATCHES "^(tests/)?platform/"
     OR source STREQUAL "bench/MinimalPresenter.cpp")
    continue()
  endif()
  set(seam "${library_header}")
  if(NOT source MATCHES "${beside_program}")
    set(seam "${library_header}|${system_header}")
  endif()
  file(STRINGS ${SOURCE_DIR}/${source} lines REGEX "${seam}")
  foreach(line IN LISTS lines)
    string(STRIP "${line}" line)
    list(APPEND offenders "${source}: ${line}")
  endforeach()
endforeach()
if(offenders)
  list(JOIN offenders "\n  " text)
  message(FATAL_ERROR "only platform/ includes the system libraries' and POSIX headers, runs programs and reads the environment:\n  ${text}")
endif()
