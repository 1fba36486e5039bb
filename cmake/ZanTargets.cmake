# zan_library(<name> FOLDERS <src sub-folders...> DEPS <targets...>)
# One static library per subsystem folder; sources are globbed so that a new class pair
# needs no CMake edit.
# ONLY keeps the sources that match one of its patterns, EXCLUDE drops those matching one.
function(zan_library name)
  cmake_parse_arguments(ARG "" "" "FOLDERS;DEPS;EXCLUDE;ONLY" ${ARGN})
  set(sources)
  foreach(folder IN LISTS ARG_FOLDERS)
    file(GLOB_RECURSE found CONFIGURE_DEPENDS
      ${PROJECT_SOURCE_DIR}/src/${folder}/*.cpp
      ${PROJECT_SOURCE_DIR}/src/${folder}/*.h)
    list(APPEND sources ${found})
  endforeach()
  if(ARG_ONLY)
    list(JOIN ARG_ONLY "|" any)
    list(FILTER sources INCLUDE REGEX "${any}")
  endif()
  foreach(pattern IN LISTS ARG_EXCLUDE)
    list(FILTER sources EXCLUDE REGEX "${pattern}")
  endforeach()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

# zan_test(<name> FOLDER <tests sub-folder> DEPS <targets...> [BOTH_BACKENDS])
# BOTH_BACKENDS registers the tests a second time, prefixed "cleartool.", with the program
# fixture over the cleartool co-process and the emulator (ZAN_TEST_BACKEND=cleartool).
# Discovered tests get their properties as one flattened list, so ENVIRONMENT holds a single
# variable here (the test main sets QT_QPA_PLATFORM=offscreen itself).
function(zan_test name)
  cmake_parse_arguments(ARG "BOTH_BACKENDS" "FOLDER" "DEPS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS
    ${PROJECT_SOURCE_DIR}/tests/${ARG_FOLDER}/*.cpp
    ${PROJECT_SOURCE_DIR}/tests/${ARG_FOLDER}/*.h)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE zan_testsupport ${ARG_DEPS})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 600)
  if(ARG_BOTH_BACKENDS)
    gtest_discover_tests(${name}
      DISCOVERY_MODE PRE_TEST
      TEST_PREFIX "cleartool."
      PROPERTIES ENVIRONMENT "ZAN_TEST_BACKEND=cleartool" TIMEOUT 600)
    # Once more over an emulator that stops a command at its first failed pathname, the
    # other way a cleartool may behave, which the program must survive as well.
    gtest_discover_tests(${name}
      DISCOVERY_MODE PRE_TEST
      TEST_PREFIX "stopfirst."
      PROPERTIES ENVIRONMENT "ZAN_TEST_BACKEND=cleartool"
                 ENVIRONMENT_MODIFICATION "ZAN_SIM_STOP_AT_FIRST_FAILURE=set:1" TIMEOUT 600)
  endif()
endfunction()
