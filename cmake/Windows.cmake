# The Windows program, its in-process tests and the end-to-end tests (run under Wine here).
enable_language(RC)

if(MINGW)
    add_compile_options(-Wall -Wextra)
    # One executable that needs no runtime DLLs beside it.
    add_link_options(-static -static-libgcc -static-libstdc++)
elseif(MSVC)
    set(CMAKE_MSVC_RUNTIME_LIBRARY "MultiThreaded$<$<CONFIG:Debug>:Debug>")
    add_compile_options(/W4 /utf-8)
endif()
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)

add_library(wordhaven_win32 STATIC
    src/app/app.cpp
    src/app/app_globals.cpp
    src/app/clipboard.cpp
    src/app/hotkey_queue.cpp
    src/app/hotkeys.cpp
    src/app/main_window.cpp
    src/app/search_site_menu.cpp
    src/app/selection_capture.cpp
    src/app/startup_shortcut.cpp
    src/app/tray_icon.cpp
    src/app/web_search.cpp
    src/common/window_dpi.cpp
    src/editor/dictionary_list.cpp
    src/editor/edit_dialog.cpp
    src/editor/export_dialog.cpp
    src/editor/find_window.cpp
    src/editor/glossary_changes.cpp
    src/editor/glossary_lookup.cpp
    src/editor/row_changes.cpp
    src/editor/group_name_field.cpp
    src/editor/list_view.cpp
    src/editor/group_rename.cpp
    src/editor/group_save.cpp
    src/editor/register_dialog.cpp
    src/editor/register_dialog_layout.cpp
    src/editor/word_list.cpp
    src/storage/ansi_text.cpp
    src/storage/daily_backup.cpp
    src/storage/data_folder.cpp
    src/storage/dictionary_shelf.cpp
    src/storage/file_links.cpp
    src/storage/group_file.cpp
    src/storage/group_file_name_win32.cpp
    src/storage/group_name_clash.cpp
    src/storage/own_files.cpp
    src/storage/find_folding.cpp
    src/storage/glossary_index.cpp
    src/storage/replacing_file.cpp
    src/storage/search_sites_file.cpp
    src/storage/session_end_notes.cpp
    src/storage/settings_file.cpp
    src/ui/about_dialog.cpp
    src/ui/control_text.cpp
    src/ui/message_box.cpp
)
target_link_libraries(wordhaven_win32 PUBLIC wordhaven_portable comctl32 shell32 shlwapi ole32 uuid comdlg32 gdi32 user32 normaliz)

# The resource script, linked into the program and into every test that
# creates the program's windows.
add_library(wordhaven_resources OBJECT src/ui/wordHaven.rc)
target_include_directories(wordhaven_resources PRIVATE src src/ui)
set_source_files_properties(src/ui/wordHaven.rc PROPERTIES OBJECT_DEPENDS
    "${CMAKE_SOURCE_DIR}/src/ui/icons/book.ico;${CMAKE_SOURCE_DIR}/src/ui/icons/link.cur;${CMAKE_SOURCE_DIR}/src/ui/wordHaven.manifest;${CMAKE_SOURCE_DIR}/src/ui/resource_ids.h")

add_executable(wordHaven WIN32 src/app/main.cpp $<TARGET_OBJECTS:wordhaven_resources>)
target_link_libraries(wordHaven PRIVATE wordhaven_win32)
if(MINGW)
    target_link_options(wordHaven PRIVATE -municode)
endif()

if(WORDHAVEN_TESTS AND CMAKE_CROSSCOMPILING)
    include(cmake/WineTests.cmake)
endif()
