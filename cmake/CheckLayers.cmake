# Fails when a source of a lower layer includes a header of a higher one.
#
#   core/      includes core only
#   platform/  includes core and platform
#
# The library folders (skin/, controls/ ...) may include both. Run as
#   cmake -DSOURCE_DIR=<tree> [-DSTAMP=<file>] -P CheckLayers.cmake
cmake_minimum_required(VERSION 3.16)

set(layers core platform)
set(core_allows core)
set(platform_allows core platform)

set(violations "")
foreach(layer ${layers})
  file(GLOB_RECURSE sources
    ${SOURCE_DIR}/${layer}/*.cpp ${SOURCE_DIR}/${layer}/*.h
    ${SOURCE_DIR}/include/kelctrls/${layer}/*.h)
  foreach(source ${sources})
    file(STRINGS ${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
    foreach(line ${includes})
      # <kelctrls/FOLDER/...> or "FOLDER/..." name a folder of this tree;
      # <kelctrls/base.h> gathers the core headers.
      if(line MATCHES "<kelctrls/base\\.h>")
        set(folder core)
      elseif(line MATCHES "<kelctrls/([A-Za-z0-9_]+)[/.]")
        set(folder ${CMAKE_MATCH_1})
      elseif(line MATCHES "\"([A-Za-z0-9_]+)/")
        set(folder ${CMAKE_MATCH_1})
      else()
        continue()
      endif()
      if(NOT folder IN_LIST ${layer}_allows)
        file(RELATIVE_PATH where ${SOURCE_DIR} ${source})
        string(STRIP "${line}" line)
        string(APPEND violations "  ${where}: ${line}\n")
      endif()
    endforeach()
  endforeach()
endforeach()

if(violations)
  message(FATAL_ERROR "A lower layer includes a higher one "
                      "(core/ includes core only, platform/ core and platform):\n${violations}")
endif()
if(STAMP)
  file(TOUCH ${STAMP})
endif()
