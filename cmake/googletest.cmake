# GoogleTest from the sources Debian's googletest package ships, so that the MinGW builds
# compile it with the same cross compiler (a prebuilt libgtest exists only for the host).
set(VELOKROM_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest source tree")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(${VELOKROM_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
include(GoogleTest)

# velokrom_test(name sources... [PROPERTIES prop value ...]): a GoogleTest program registered
# with CTest, one test per case. Cross builds run it through the target's emulator (Wine, or
# the directory's CMAKE_CROSSCOMPILING_EMULATOR), with the test list read at test time.
# PROPERTIES are added to every case's test properties.
function(velokrom_test name)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "PROPERTIES")
    add_executable(${name} ${arg_UNPARSED_ARGUMENTS})
    target_link_libraries(${name} PRIVATE velokrom_options GTest::gtest_main)
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                         PROPERTIES TIMEOUT 120 ${arg_PROPERTIES})
endfunction()
