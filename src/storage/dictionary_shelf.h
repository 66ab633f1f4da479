#pragma once
// The reader's dictionaries: every file in the `dictionaries` folder of the
// data folder, loaded on a thread of their own so that no window waits for
// them. A lookup looks at the folder first; a file added, changed or removed
// since the last load starts a new load, and the teller hears when it ends.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "storage/dictionary_lookup.h"

inline constexpr wchar_t kDictionaryFolderName[] = L"dictionaries";

// The folder, a full path ending in a backslash.
std::wstring DictionaryFolder();

struct DictionaryShelfState {
    bool loading = false;                // a load is under way; lookups use what was loaded before
    std::size_t dictionaries = 0;        // files loaded as dictionaries
    std::vector<std::wstring> skipped;   // names of files that are no dictionary, too large or unreadable
};

// Looks at the folder and starts a load when its files differ from those
// loaded. Cheap when nothing changed: one listing of the folder.
void RefreshDictionaries();
DictionaryShelfState DictionaryShelfNow();
// The term looked up in what is loaded now, best first.
std::vector<DictionaryMatch> LookUpInDictionaryShelf(std::u16string_view term,
                                                     std::size_t limit = kMaxDictionaryMatches);

// Called on the loading thread when a load has ended (the program posts a
// message to the window that shows the dictionary).
using DictionaryLoadTeller = void (*)();
void SetDictionaryLoadTeller(DictionaryLoadTeller teller);
// Blocks until no load is under way: for tests and benchmarks only.
void WaitForDictionaryLoad();
