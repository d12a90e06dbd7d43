# Compiles a help project with chmcmd; run as
#   cmake -DCHMCMD=... -DSOURCE_DIR=... -DWORK_DIR=... -DPROJECT_FILE=x.hhp -DOUTPUT=.../x.chm -P CompileHelp.cmake
#
# chmcmd 3.2.2 has a few sharp edges that this script guards against:
# - a file named by [ALIAS] or by a page but missing from [FILES] can crash it
#   and leave a 0-byte .chm behind, so every page on disk must be listed, the
#   result is checked, and only a good file replaces the old one (write to a
#   temporary name, then rename);
# - it prints a banner and notes even when all is well, so its output is kept
#   and shown only when it fails.
cmake_minimum_required(VERSION 3.25)

foreach(var CHMCMD SOURCE_DIR WORK_DIR PROJECT_FILE OUTPUT)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "CompileHelp.cmake: ${var} is not set")
  endif()
endforeach()

# A fresh copy of the project, so that nothing stale is compiled in.
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
file(GLOB_RECURSE inputs RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*)
list(FILTER inputs EXCLUDE REGEX "(^|/)(CMakeLists\\.txt|CompileHelp\\.cmake|tools/.*)$")
foreach(f ${inputs})
  configure_file(${SOURCE_DIR}/${f} ${WORK_DIR}/${f} COPYONLY)
endforeach()

# Read the project: the compiled file's name, [FILES] and [ALIAS].
file(STRINGS ${WORK_DIR}/${PROJECT_FILE} project_lines)
set(section "")
set(listed "")
set(aliased "")
set(compiled "")
foreach(line IN LISTS project_lines)
  string(STRIP "${line}" line)
  if(line MATCHES "^\\[(.*)\\]$")
    string(TOUPPER "${CMAKE_MATCH_1}" section)
  elseif(line STREQUAL "" OR line MATCHES "^;")
  elseif(section STREQUAL "OPTIONS" AND line MATCHES "^Compiled file=(.*)$")
    set(compiled "${CMAKE_MATCH_1}")
  elseif(section STREQUAL "FILES")
    string(TOLOWER "${line}" line)
    list(APPEND listed "${line}")
  elseif(section STREQUAL "ALIAS" AND line MATCHES "^[^=]+=(.*)$")
    string(TOLOWER "${CMAKE_MATCH_1}" target)
    list(APPEND aliased "${target}")
  endif()
endforeach()
if(compiled STREQUAL "")
  message(FATAL_ERROR "${PROJECT_FILE}: no 'Compiled file=' in [OPTIONS]")
endif()

# Every page and picture must be in [FILES], and every listed file must exist.
file(GLOB_RECURSE pages RELATIVE ${WORK_DIR} ${WORK_DIR}/*.htm ${WORK_DIR}/*.css ${WORK_DIR}/*.png)
foreach(p ${pages})
  string(TOLOWER "${p}" lp)
  if(NOT lp IN_LIST listed)
    message(FATAL_ERROR "${PROJECT_FILE}: ${p} is missing from [FILES]")
  endif()
endforeach()
foreach(f ${listed})
  set(found FALSE)
  foreach(p ${pages})
    string(TOLOWER "${p}" lp)
    if(lp STREQUAL f)
      set(found TRUE)
    endif()
  endforeach()
  if(NOT found)
    message(FATAL_ERROR "${PROJECT_FILE}: [FILES] names ${f}, which does not exist")
  endif()
endforeach()
foreach(a ${aliased})
  if(NOT a IN_LIST listed)
    message(FATAL_ERROR "${PROJECT_FILE}: [ALIAS] points at ${a}, which is not in [FILES]")
  endif()
endforeach()

file(REMOVE ${WORK_DIR}/${compiled})
execute_process(
  COMMAND ${CHMCMD} ${PROJECT_FILE}
  WORKING_DIRECTORY ${WORK_DIR}
  RESULT_VARIABLE status
  OUTPUT_VARIABLE chatter
  ERROR_VARIABLE chatter)
set(result ${WORK_DIR}/${compiled})
set(size 0)
if(EXISTS ${result})
  file(SIZE ${result} size)
endif()
if(NOT status EQUAL 0 OR size EQUAL 0 OR chatter MATCHES "[Ee]rror")
  message(FATAL_ERROR "chmcmd failed on ${PROJECT_FILE} (status ${status}, ${size} bytes):\n${chatter}")
endif()

get_filename_component(out_dir ${OUTPUT} DIRECTORY)
file(MAKE_DIRECTORY ${out_dir})
file(COPY_FILE ${result} ${OUTPUT}.tmp)
file(RENAME ${OUTPUT}.tmp ${OUTPUT})
