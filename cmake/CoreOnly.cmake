# The Qt-free core alone: the codec, the file layer's core, pluvexa-cli's
# core (with a pluvexa-cli that holds only compress, expand, seal and open)
# and the tests that need no Qt. On Linux it builds with the system's
# libraries; for Windows with a MinGW toolchain (cmake/mingw-w64.cmake),
# Crypto++ built for it (CRYPTOPP_ROOT) and googletest from its sources.
set(PLUVEXA_CRYPTOPP_ROOT "" CACHE PATH "Folder holding include/cryptopp and lib/libcryptopp.a (cross builds)")
add_library(pluvexa_cryptopp INTERFACE)
if(CMAKE_CROSSCOMPILING)
  find_path(CRYPTOPP_INCLUDE_DIR cryptopp/cryptlib.h PATHS "${PLUVEXA_CRYPTOPP_ROOT}/include"
            NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
  find_library(CRYPTOPP_LIBRARY NAMES libcryptopp.a PATHS "${PLUVEXA_CRYPTOPP_ROOT}/lib"
               NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
  target_include_directories(pluvexa_cryptopp INTERFACE "${CRYPTOPP_INCLUDE_DIR}")
  target_link_libraries(pluvexa_cryptopp INTERFACE "${CRYPTOPP_LIBRARY}")
  if(WIN32)
    target_link_libraries(pluvexa_cryptopp INTERFACE bcrypt advapi32)  # its random source
  endif()
  # Boost is headers only (the envelope's CRC): the system's, seen through
  # a folder that holds nothing else, so no other Linux header is reached.
  find_path(PLUVEXA_BOOST_INCLUDE boost/crc.hpp PATHS /usr/include NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
  set(boost_only "${PROJECT_BINARY_DIR}/boost-headers")
  file(MAKE_DIRECTORY "${boost_only}")
  file(CREATE_LINK "${PLUVEXA_BOOST_INCLUDE}/boost" "${boost_only}/boost" SYMBOLIC)
  add_library(Boost::headers INTERFACE IMPORTED)
  target_include_directories(Boost::headers SYSTEM INTERFACE "${boost_only}")
else()
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(CRYPTOPP REQUIRED IMPORTED_TARGET libcrypto++)
  target_link_libraries(pluvexa_cryptopp INTERFACE PkgConfig::CRYPTOPP)
  find_package(Boost REQUIRED)
endif()

include(cmake/PluvexaHelpers.cmake)
add_subdirectory(src/codec)
add_subdirectory(src/files/core)
add_subdirectory(tools)

if(PLUVEXA_BUILD_TESTS)
  enable_testing()
  if(CMAKE_CROSSCOMPILING)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    set(GOOGLETEST_SOURCE "/usr/src/googletest" CACHE PATH "googletest's sources (libgtest-dev)")
    add_subdirectory("${GOOGLETEST_SOURCE}" "${PROJECT_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL SYSTEM)
  else()
    find_package(GTest REQUIRED)
  endif()
  add_subdirectory(tests)
endif()
