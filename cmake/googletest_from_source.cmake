# GoogleTest and GoogleMock built with the project's compiler from the
# sources of Debian's libgtest-dev (/usr/src/googletest), under the names
# that find_package(GTest) gives.
set(SC_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
if(NOT EXISTS ${SC_GOOGLETEST_SOURCE}/CMakeLists.txt)
  message(FATAL_ERROR "No GoogleTest sources in ${SC_GOOGLETEST_SOURCE}: install libgtest-dev and libgmock-dev")
endif()
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(${SC_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
# (its own build files name them GTest::gtest, GTest::gmock, ... as well)
