# Tests of the Windows program, run under the build's private Wine prefix.
enable_testing()
configure_file(tools/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run @ONLY FILE_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run)

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
add_subdirectory(${GOOGLETEST_SOURCE_DIR}/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
include(GoogleTest)

# Stands in for the browser in the test prefix (see tools/wine-env.sh).
add_executable(url_recorder tools/url_recorder.cpp)
target_link_options(url_recorder PRIVATE -municode -mwindows)
# Holds the test prefix's desktop open from one test to the next (see tools/wine-env.sh).
add_executable(desktop_keeper tools/desktop_keeper.cpp)
target_link_options(desktop_keeper PRIVATE -municode -mwindows)

add_library(wordhaven_test_support STATIC
    tests/support/test_folder.cpp
    tests/support/program_run.cpp
    tests/support/program_test.cpp
    tests/support/windows_found.cpp
    tests/support/dialog_template.cpp
    tests/support/program_windows.cpp
    tests/support/reader_window.cpp
    tests/support/remote_list.cpp
    tests/support/url_log.cpp
    tests/support/session.cpp
    tests/support/save_as_dialog.cpp
    tests/support/host_files.cpp
    tests/support/folder_rows.cpp

)
target_include_directories(wordhaven_test_support PUBLIC tests src)
target_link_libraries(wordhaven_test_support PUBLIC wordhaven_portable gtest user32 shell32 ole32 uuid)

# Windows-only behaviour, driven in the test process on the program's real code and resources.
set(win32_test_sources
    tests/app/clipboard_test.cpp
    tests/app/main_window_test.cpp
    tests/app/search_query_test.cpp
    tests/editor/edit_dialog_test.cpp
    tests/editor/export_test.cpp
    tests/editor/find_window_test.cpp
    tests/editor/glossary_lookup_test.cpp
    tests/editor/register_dialog_test.cpp
    tests/editor/word_list_test.cpp
    tests/storage/daily_backup_test.cpp
    tests/storage/glossary_index_test.cpp
    tests/storage/group_file_test.cpp
    tests/storage/replacing_file_test.cpp
    tests/storage/settings_file_test.cpp
    tests/ui/about_dialog_test.cpp
    tests/ui/resources_test.cpp
    tests/ui/scaled_dialogs_test.cpp
)
add_executable(wordhaven_win32_tests
    tests/support/test_main.cpp
    tests/support/failing_allocations.cpp
    tests/support/recorded_messages.cpp
    tests/support/word_list_host.cpp
    ${win32_test_sources}
    $<TARGET_OBJECTS:wordhaven_resources>
)
target_link_libraries(wordhaven_win32_tests PRIVATE wordhaven_win32 wordhaven_test_support)

# The real wordHaven.exe, started and driven as a user would.
set(e2e_test_sources
    tests/e2e/acceptance_test.cpp
    tests/e2e/data_folder_test.cpp
    tests/e2e/backups_test.cpp
    tests/e2e/dictionary_test.cpp
    tests/e2e/data_safety_test.cpp
    tests/e2e/exports_test.cpp
    tests/e2e/files_under_change_test.cpp
    tests/e2e/links_and_temporary_files_test.cpp
    tests/e2e/save_safety_test.cpp
    tests/e2e/find_window_test.cpp
    tests/e2e/glossary_keys_test.cpp
    tests/e2e/search_sites_test.cpp
    tests/e2e/hotkeys_test.cpp
    tests/e2e/language_test.cpp
    tests/e2e/reader_tools_test.cpp
    tests/e2e/startup_test.cpp
)
add_executable(wordhaven_e2e_tests tests/support/test_main.cpp ${e2e_test_sources})
target_link_libraries(wordhaven_e2e_tests PRIVATE wordhaven_portable wordhaven_test_support ole32 uuid)
add_dependencies(wordhaven_e2e_tests wordHaven url_recorder desktop_keeper)
add_dependencies(wordhaven_win32_tests url_recorder desktop_keeper)

string(REPLACE "/" "\\" build_dir_windows "Z:${CMAKE_BINARY_DIR}")
foreach(kind win32 e2e)
    gtest_add_tests(TARGET wordhaven_${kind}_tests SOURCES ${${kind}_test_sources}
        TEST_PREFIX "${kind}." TEST_LIST tests_of_target)
    # One desktop, one clipboard, one set of hotkeys: these tests take turns.
    set_tests_properties(${tests_of_target} PROPERTIES
        RESOURCE_LOCK desktop
        TIMEOUT 120
        ENVIRONMENT "WORDHAVEN_EXE=${build_dir_windows}\\wordHaven.exe;WORDHAVEN_TEST_DATA=${build_dir_windows}\\test-data")
endforeach()

add_test(NAME win32.GroupFileTest.OnCodePage1252
    COMMAND wordhaven_win32_tests --gtest_filter=GroupFileTest.OnAWesternCodePage*)
set_tests_properties(win32.GroupFileTest.OnCodePage1252 PROPERTIES
    RESOURCE_LOCK desktop TIMEOUT 120 ENVIRONMENT "WORDHAVEN_LANG=C;WORDHAVEN_TEST_DATA=${build_dir_windows}\\test-data"
    FAIL_REGULAR_EXPRESSION "SKIPPED")

# The dialogs again at 125, 150 and 200 % display scale, each in a Wine prefix
# of that scale (tools/wine-env.sh makes it the first time; that takes a while).
foreach(dpi 120 144 192)
    add_test(NAME win32.AtThisScale.Dpi${dpi} COMMAND wordhaven_win32_tests --gtest_filter=AtThisScale.*)
    set_tests_properties(win32.AtThisScale.Dpi${dpi} PROPERTIES
        RESOURCE_LOCK desktop TIMEOUT 300
        ENVIRONMENT "WORDHAVEN_DPI=${dpi};WORDHAVEN_TEST_DATA=${build_dir_windows}\\test-data")
endforeach()

# One ctest run covers the native tests too when their build exists beside this one.
set(native_tests ${CMAKE_SOURCE_DIR}/build/native/CTestTestfile.cmake)
file(WRITE ${CMAKE_BINARY_DIR}/include_native_tests.cmake
    "if(EXISTS \"${native_tests}\")\n  include(\"${native_tests}\")\nendif()\n")
set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${CMAKE_BINARY_DIR}/include_native_tests.cmake)

# `make bench`: the word list's speed against the list view's own floor.
add_executable(wordhaven_bench bench/word_list_bench.cpp tests/support/word_list_host.cpp
    $<TARGET_OBJECTS:wordhaven_resources>)
target_include_directories(wordhaven_bench PRIVATE tests src)
target_link_libraries(wordhaven_bench PRIVATE wordhaven_win32)

# `make bench`: finding in the whole glossary at 100 000 entries.
add_executable(wordhaven_find_bench bench/find_bench.cpp tests/support/word_list_host.cpp
    $<TARGET_OBJECTS:wordhaven_resources>)
target_include_directories(wordhaven_find_bench PRIVATE tests src)
target_link_libraries(wordhaven_find_bench PRIVATE wordhaven_win32)

# `make bench`: what a capture adds to the hotkey's waits, on small and huge clipboards.
add_executable(wordhaven_capture_bench bench/capture_bench.cpp)
target_link_libraries(wordhaven_capture_bench PRIVATE wordhaven_win32)
target_link_options(wordhaven_capture_bench PRIVATE -municode)

# `make bench`: the hotkeys of the real program, from the key press to the URL and to the edit dialog.
add_executable(wordhaven_hotkey_bench bench/hotkey_bench.cpp)
target_link_libraries(wordhaven_hotkey_bench PRIVATE wordhaven_test_support)
add_dependencies(wordhaven_hotkey_bench wordHaven url_recorder)

# `make screenshots`: drives the program's windows on a sample glossary.
add_executable(screenshot_driver tools/screenshot_driver.cpp tests/support/program_run.cpp
    tests/support/program_windows.cpp tests/support/windows_found.cpp)
target_include_directories(screenshot_driver PRIVATE tests src)
target_link_libraries(screenshot_driver PRIVATE wordhaven_portable gtest user32 gdi32 shell32)
target_link_options(screenshot_driver PRIVATE -municode)

# The release zip, packed on every test run: a DLL that Windows does not
# bring, or anything else that breaks `make dist`, fails the tests.
add_test(NAME dist.PacksTheRelease COMMAND bash ${CMAKE_SOURCE_DIR}/tools/dist.sh)
set_tests_properties(dist.PacksTheRelease PROPERTIES
    ENVIRONMENT "WORDHAVEN_BUILD_DIR=${CMAKE_BINARY_DIR};WORDHAVEN_DIST_DIR=${CMAKE_BINARY_DIR}/dist-check")
