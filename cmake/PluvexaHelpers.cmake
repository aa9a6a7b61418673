# A library made of every .cpp/.h in its folder, so that adding a file needs
# no edit here; EXCLUDE names files (relative to the folder) that another
# library of the folder holds.
function(pluvexa_library name)
  cmake_parse_arguments(ARG "" "" "LIBS;EXCLUDE" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS
       "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp" "${CMAKE_CURRENT_SOURCE_DIR}/*.h"
       "${CMAKE_CURRENT_SOURCE_DIR}/*.qrc")
  foreach(excluded IN LISTS ARG_EXCLUDE)
    list(REMOVE_ITEM sources "${CMAKE_CURRENT_SOURCE_DIR}/${excluded}")
  endforeach()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC "${PROJECT_SOURCE_DIR}/src")
  target_link_libraries(${name} PUBLIC ${ARG_LIBS})
  # moc only rescans when its timestamp is gone: drop it whenever the folder
  # gains or loses a file, so an existing build picks up new headers.
  string(SHA1 listing "${sources}")
  set(stamp "${CMAKE_CURRENT_BINARY_DIR}/${name}_sources.sha1")
  if(EXISTS "${stamp}")
    file(READ "${stamp}" old)
  endif()
  if(NOT "${old}" STREQUAL "${listing}")
    file(WRITE "${stamp}" "${listing}")
    file(REMOVE "${CMAKE_CURRENT_BINARY_DIR}/${name}_autogen/timestamp")
  endif()
endfunction()

# One test program per folder of tests/: every *.cpp in it.
function(pluvexa_test_folder name)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/${name}/*.cpp")
  if(NOT sources)
    return()
  endif()
  add_executable(${name}_tests ${sources})
  target_link_libraries(${name}_tests PRIVATE ${ARG_LIBS} pluvexa_testsupport GTest::gtest)
  target_compile_definitions(${name}_tests PRIVATE
      PLUVEXA_TEST_DATA="${CMAKE_CURRENT_SOURCE_DIR}/data"
      PLUVEXA_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
      PLUVEXA_CLI="$<TARGET_FILE:pluvexa-cli>"
      PLUVEXA_CLI_FULL="$<TARGET_FILE:${cli_full}>")
  add_dependencies(${name}_tests pluvexa-cli)
  gtest_discover_tests(${name}_tests
      PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
      DISCOVERY_TIMEOUT 60)
endfunction()
