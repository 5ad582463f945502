# The web build's literals hold the bytes g++ writes: a sample of the game's texts, its literals
# written as escapes by farrow-cp932-literals and compiled without -fexec-charset, has the same
# read-only data as the sample compiled as the desktop compiles it.
# cmake -DSOURCE_DIR=<repository root> -DWORK=<folder> -DTOOL=<farrow-cp932-literals> -DCXX=<g++> -P Cp932Literals.cmake
set(sample game/GameTexts.cpp game/GameTexts.h)
file(REMOVE_RECURSE ${WORK})
execute_process(COMMAND ${TOOL} ${WORK}/copy ${sample} WORKING_DIRECTORY ${SOURCE_DIR} COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${CXX} -std=c++20 -O2 -fexec-charset=CP932 -I${SOURCE_DIR} -c ${SOURCE_DIR}/game/GameTexts.cpp
                        -o ${WORK}/desktop.o COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${CXX} -std=c++20 -O2 -I${WORK}/copy -I${SOURCE_DIR} -c ${WORK}/copy/game/GameTexts.cpp
                        -o ${WORK}/web.o COMMAND_ERROR_IS_FATAL ANY)
foreach(object desktop web)
  execute_process(COMMAND readelf -W -x .rodata -x .rodata.str1.1 -x .rodata.str1.8 ${WORK}/${object}.o
                  OUTPUT_VARIABLE ${object} ERROR_QUIET)
  string(REPLACE "${object}.o" "" ${object} "${${object}}")
endforeach()
if(desktop STREQUAL "" OR NOT desktop STREQUAL web)
  message(FATAL_ERROR "the escaped literals differ from g++'s CP932:\n--- desktop\n${desktop}\n--- web\n${web}")
endif()
