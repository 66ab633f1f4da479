# Native Linux build of the portable code: unit tests under sanitizers, fuzzers.
if(WORDHAVEN_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()
add_compile_options(-Wall -Wextra)

if(WORDHAVEN_TESTS)
    enable_testing()
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(${GOOGLETEST_SOURCE_DIR}/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    include(GoogleTest)

    add_executable(wordhaven_native_tests
        tests/common/bounded_copy_test.cpp
        tests/storage/settings_test.cpp
        tests/ui/messages_test.cpp
    )
    target_link_libraries(wordhaven_native_tests PRIVATE wordhaven_portable gtest_main)
    gtest_discover_tests(wordhaven_native_tests TEST_PREFIX "native." DISCOVERY_MODE PRE_TEST)
endif()
