# A library made of every .cpp/.h in its folder (not its subfolders, which
# are libraries of their own), so that adding a file needs no edit here.
# NO_QT marks a library that uses no Qt at all: moc and rcc skip it.
function(pluvexa_library name)
  cmake_parse_arguments(ARG "NO_QT" "" "LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS
       "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp" "${CMAKE_CURRENT_SOURCE_DIR}/*.h"
       "${CMAKE_CURRENT_SOURCE_DIR}/*.qrc")
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC "${PROJECT_SOURCE_DIR}/src")
  target_link_libraries(${name} PUBLIC ${ARG_LIBS})
  if(ARG_NO_QT)
    set_target_properties(${name} PROPERTIES AUTOMOC OFF AUTOUIC OFF AUTORCC OFF)
    return()
  endif()
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

# One test program per folder of tests/: every *.cpp in it. WIDGETS gives it
# the program's application object; the others run on Qt Gui alone. NO_QT
# folders link no Qt (googletest's own entry point): the same files run on
# Linux and, in a MinGW build of the core alone, under Wine.
function(pluvexa_test_folder name)
  cmake_parse_arguments(ARG "WIDGETS;NO_QT" "" "LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/${name}/*.cpp")
  if(NOT sources)
    return()
  endif()
  add_executable(${name}_tests ${sources})
  if(ARG_NO_QT)
    target_link_libraries(${name}_tests PRIVATE ${ARG_LIBS} GTest::gtest_main GTest::gtest)
    target_include_directories(${name}_tests PRIVATE "${CMAKE_CURRENT_SOURCE_DIR}" "${PROJECT_SOURCE_DIR}/src")
    set_target_properties(${name}_tests PROPERTIES AUTOMOC OFF AUTOUIC OFF AUTORCC OFF)
  elseif(ARG_WIDGETS)
    target_link_libraries(${name}_tests PRIVATE ${ARG_LIBS} pluvexa_testmain_widgets GTest::gtest)
  else()
    target_link_libraries(${name}_tests PRIVATE ${ARG_LIBS} pluvexa_testmain_core GTest::gtest)
  endif()
  target_compile_definitions(${name}_tests PRIVATE
      PLUVEXA_TEST_DATA="${CMAKE_CURRENT_SOURCE_DIR}/data"
      PLUVEXA_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
      PLUVEXA_CLI="$<TARGET_FILE:pluvexa-cli>")
  if(NOT PLUVEXA_CORE_ONLY)
    target_compile_definitions(${name}_tests PRIVATE PLUVEXA_CLI_FULL="$<TARGET_FILE:${cli_full}>")
  endif()
  add_dependencies(${name}_tests pluvexa-cli)
  if(CMAKE_CROSSCOMPILING)
    # Run by scripts/windows.sh under Wine, not discovered at build time.
    add_test(NAME ${name} COMMAND ${name}_tests)
    return()
  endif()
  gtest_discover_tests(${name}_tests
      PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
      DISCOVERY_TIMEOUT 60)
endfunction()
