# GoogleTest for the tests, native or cross-built, and how a test program's tests reach CTest.
include_guard(GLOBAL)
include(GoogleTest)

set(BRELVIX_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH
    "GoogleTest's sources (Debian's libgtest-dev puts them here), built when no installed GoogleTest fits")

# Makes GTest::gtest, GTest::gtest_main, GTest::gmock and GTest::gmock_main known to the calling directory and
# those below it, where there is a GoogleTest to be had. A native build takes the installed GoogleTest; a cross
# build cannot link the host's, so it, and any build that finds none, compiles GoogleTest from its sources with
# the project's compiler. Without either, GTest::gtest stays unknown.
function(brelvix_provide_gtest)
    if(TARGET GTest::gtest)
        return()
    endif()
    if(NOT CMAKE_CROSSCOMPILING)
        find_package(GTest QUIET)
        if(TARGET GTest::gtest AND TARGET GTest::gtest_main AND TARGET GTest::gmock)
            return()
        endif()
    endif()
    if(NOT EXISTS ${BRELVIX_GTEST_SOURCE_DIR}/CMakeLists.txt)
        return()
    endif()
    # GoogleTest's own CMakeLists ask for old policies, under which option() would drop these settings.
    set(CMAKE_POLICY_DEFAULT_CMP0077 NEW)
    set(BUILD_GMOCK ON)
    set(INSTALL_GTEST OFF)
    # MSVC: the runtime library the rest of the project links, not GoogleTest's static default.
    set(gtest_force_shared_crt ON)
    # Built only as far as the tests link it; its own targets alias themselves as GTest::<name>.
    add_subdirectory(${BRELVIX_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endfunction()

# Adds the GoogleTest program `target` to CTest, its tests named with `prefix` in front. Natively every test
# case becomes a CTest test of its own. A cross build adds the program once, as <prefix>all, for each start
# under the emulator costs far more than running all its cases in one go; a failing case is named in the
# program's output.
function(brelvix_add_gtest target prefix)
    if(CMAKE_CROSSCOMPILING)
        add_test(NAME ${prefix}all COMMAND ${target})
    else()
        gtest_discover_tests(${target} TEST_PREFIX ${prefix})
    endif()
endfunction()
