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
        tests/app/search_query_test.cpp
        tests/common/bounded_copy_test.cpp
        tests/editor/group_name_test.cpp
        tests/editor/register_layout_test.cpp
        tests/editor/word_order_test.cpp
        tests/storage/backup_days_test.cpp
        tests/storage/csv_format_test.cpp
        tests/storage/dictionary_file_test.cpp
        tests/storage/dictionary_lookup_test.cpp
        tests/storage/dictionary_take_test.cpp
        tests/storage/euc_jp_test.cpp
        tests/storage/export_format_test.cpp
        tests/storage/folded_group_test.cpp
        tests/storage/keyed_hash_test.cpp
        tests/storage/search_sites_test.cpp
        tests/storage/settings_test.cpp
        tests/storage/text_encoding_test.cpp
        tests/ui/about_layout_test.cpp
        tests/ui/messages_test.cpp
        tests/ui/texts_test.cpp
        tests/support/debian_edict.cpp
    )
    target_include_directories(wordhaven_native_tests PRIVATE tests)
    target_link_libraries(wordhaven_native_tests PRIVATE wordhaven_portable gtest_main)
    gtest_discover_tests(wordhaven_native_tests TEST_PREFIX "native." DISCOVERY_MODE PRE_TEST)
endif()

# Benchmarks of portable code, timed natively; meaningful in an optimised
# build without sanitizers (`make bench-native`).
add_executable(wordhaven_dictionary_bench bench/dictionary_bench.cpp)
target_link_libraries(wordhaven_dictionary_bench PRIVATE wordhaven_portable)

# libFuzzer targets, run by `make fuzz` rather than ctest. The code under test is
# compiled into each target so that it carries the fuzzer's coverage instrumentation.
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    function(add_fuzz_target name)
        add_executable(${name}_fuzz fuzz/${name}_fuzz.cpp ${ARGN})
        target_include_directories(${name}_fuzz PRIVATE src tests)
        target_compile_options(${name}_fuzz PRIVATE -O1 -fsanitize=fuzzer,address,undefined)
        target_link_options(${name}_fuzz PRIVATE -fsanitize=fuzzer,address,undefined)
    endfunction()
    add_fuzz_target(csv_format src/storage/csv_format.cpp src/storage/text_encoding.cpp)
    add_fuzz_target(settings_image src/storage/settings.cpp)
    add_fuzz_target(search_sites src/storage/search_sites.cpp src/storage/text_encoding.cpp)
    add_fuzz_target(export_format src/storage/export_format.cpp src/storage/text_encoding.cpp)
    add_fuzz_target(folded_group src/storage/folded_group.cpp src/storage/followed_rows.cpp src/storage/keyed_hash.cpp)
    add_fuzz_target(dictionary_file src/storage/deinflection.cpp src/storage/dictionary_file.cpp
        src/storage/dictionary_folding.cpp src/storage/dictionary_index.cpp src/storage/dictionary_lookup.cpp
        src/storage/euc_jp.cpp src/storage/euc_jp_table.cpp src/storage/text_encoding.cpp src/storage/word_class.cpp)
endif()
