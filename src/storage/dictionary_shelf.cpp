#include "storage/dictionary_shelf.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <new>
#include <thread>

#include "common/handles.h"
#include "storage/data_folder.h"

namespace {

// What the folder listing says of one file: a change to any of it is a new file.
struct FileStamp {
    std::wstring name;
    uint64_t size = 0;
    uint64_t written = 0;
    bool operator==(const FileStamp&) const = default;
};

struct ShelfFile {
    FileStamp stamp;
    std::shared_ptr<const DictionaryIndex> index;  // null when the file was skipped
    bool readFailed = false;                       // held by another program: tried again at the next lookup
};

using ShelfFiles = std::vector<ShelfFile>;

struct Shelf {
    std::mutex mutex;
    std::condition_variable loadEnded;
    std::vector<FileStamp> wanted;  // the folder as last listed
    std::shared_ptr<const ShelfFiles> loaded = std::make_shared<const ShelfFiles>();
    bool loading = false;
};

// Shared with the loading thread, which may still run while the program ends.
const std::shared_ptr<Shelf>& TheShelf() {
    static const std::shared_ptr<Shelf> shelf = std::make_shared<Shelf>();
    return shelf;
}

std::atomic<DictionaryLoadTeller> loadTeller{nullptr};

uint64_t Join(DWORD high, DWORD low) { return (uint64_t{high} << 32) | low; }

// Hidden system files (desktop.ini, Thumbs.db) are the shell's, not the reader's.
std::vector<FileStamp> ListFolder() {
    std::vector<FileStamp> files;
    WIN32_FIND_DATAW found{};
    const std::wstring pattern = DictionaryFolder() + L"*";
    HANDLE search = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE) return files;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) && (found.dwFileAttributes & FILE_ATTRIBUTE_SYSTEM)) continue;
        files.push_back({found.cFileName, Join(found.nFileSizeHigh, found.nFileSizeLow),
                         Join(found.ftLastWriteTime.dwHighDateTime, found.ftLastWriteTime.dwLowDateTime)});
    } while (FindNextFileW(search, &found));
    FindClose(search);
    std::sort(files.begin(), files.end(), [](const FileStamp& a, const FileStamp& b) {
        return CompareStringOrdinal(a.name.c_str(), -1, b.name.c_str(), -1, TRUE) == CSTR_LESS_THAN;
    });
    return files;
}

enum class ReadResult { Read, TooLarge, Failed };

// The whole file, refused before reading when it is larger than any dictionary may be.
ReadResult ReadDictionaryBytes(const std::wstring& path, std::string& bytes) {
    FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) return ReadResult::Failed;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size)) return ReadResult::Failed;
    if (static_cast<uint64_t>(size.QuadPart) > kMaxDictionaryBytes) return ReadResult::TooLarge;
    bytes.resize(static_cast<size_t>(size.QuadPart));
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD got = 0;
        const DWORD ask = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 24));
        if (!ReadFile(file.Get(), bytes.data() + done, ask, &got, nullptr)) return ReadResult::Failed;
        if (got == 0) break;  // shorter than it was a moment ago: what is there is read
        done += got;
    }
    bytes.resize(done);
    return ReadResult::Read;
}

ShelfFile LoadFile(const FileStamp& stamp) {
    ShelfFile file{stamp, nullptr, false};
    try {
        std::string bytes;
        const ReadResult read = ReadDictionaryBytes(DictionaryFolder() + stamp.name, bytes);
        if (read == ReadResult::Failed) file.readFailed = true;
        if (read != ReadResult::Read) return file;
        auto index = std::make_shared<DictionaryIndex>(std::move(bytes));
        if (index->Status() == DictionaryStatus::Loaded) file.index = std::move(index);
    } catch (const std::exception&) {
        // Too large for the memory left: skipped and named, like any file that is no dictionary.
        file.index = nullptr;
    }
    return file;
}

// Loads until what it loaded is what the folder holds; files already loaded
// and unchanged are kept, not read again.
void LoadUntilCurrent(std::shared_ptr<Shelf> shelf) {
    for (;;) {
        std::vector<FileStamp> wanted;
        std::shared_ptr<const ShelfFiles> before;
        {
            std::lock_guard lock(shelf->mutex);
            wanted = shelf->wanted;
            before = shelf->loaded;
        }
        auto files = std::make_shared<ShelfFiles>();
        for (const FileStamp& stamp : wanted) {
            const auto kept = std::find_if(before->begin(), before->end(), [&](const ShelfFile& f) {
                return f.stamp == stamp && !f.readFailed;
            });
            files->push_back(kept != before->end() ? *kept : LoadFile(stamp));
        }
        std::lock_guard lock(shelf->mutex);
        shelf->loaded = std::move(files);
        if (shelf->wanted == wanted) {
            shelf->loading = false;
            break;
        }
    }
    shelf->loadEnded.notify_all();
    if (const DictionaryLoadTeller teller = loadTeller.load()) teller();
}

bool AnyReadFailed(const ShelfFiles& files) {
    return std::any_of(files.begin(), files.end(), [](const ShelfFile& f) { return f.readFailed; });
}

}  // namespace

std::wstring DictionaryFolder() { return DataFolder() + kDictionaryFolderName + L"\\"; }

void RefreshDictionaries() {
    std::vector<FileStamp> listed = ListFolder();
    const std::shared_ptr<Shelf>& shelf = TheShelf();
    std::lock_guard lock(shelf->mutex);
    const bool retry = !shelf->loading && AnyReadFailed(*shelf->loaded);
    if (listed == shelf->wanted && !retry) return;
    shelf->wanted = std::move(listed);
    if (shelf->loading) return;  // the load under way sees the new listing when it ends
    if (shelf->wanted.empty()) {
        // Nothing to read, so no thread: the folder is empty, or not there at all.
        shelf->loaded = std::make_shared<const ShelfFiles>();
        return;
    }
    shelf->loading = true;
    try {
        std::thread loader([shelf = shelf] {
            // Below the windows' own thread, so that loading never slows what the reader does.
            SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
            try {
                LoadUntilCurrent(shelf);
            } catch (const std::exception&) {
                // Out of memory between files: what was loaded stays, and the next lookup tries again.
                {
                    std::lock_guard lock(shelf->mutex);
                    shelf->loading = false;
                    shelf->wanted.clear();  // so that the next lookup loads again
                }
                shelf->loadEnded.notify_all();
            }
        });
        loader.detach();
    } catch (const std::system_error&) {
        shelf->loading = false;  // no thread to be had now: the next lookup tries again
        shelf->wanted.clear();
    }
}

DictionaryShelfState DictionaryShelfNow() {
    const std::shared_ptr<Shelf>& shelf = TheShelf();
    std::lock_guard lock(shelf->mutex);
    DictionaryShelfState state;
    state.loading = shelf->loading;
    for (const ShelfFile& file : *shelf->loaded) {
        if (file.index) {
            ++state.dictionaries;
        } else {
            state.skipped.push_back(file.stamp.name);
        }
    }
    return state;
}

std::vector<DictionaryMatch> LookUpInDictionaryShelf(std::u16string_view term, std::size_t limit) {
    std::shared_ptr<const ShelfFiles> files;
    {
        const std::shared_ptr<Shelf>& shelf = TheShelf();
        std::lock_guard lock(shelf->mutex);
        files = shelf->loaded;
    }
    std::vector<const DictionaryIndex*> indexes;
    for (const ShelfFile& file : *files) {
        if (file.index) indexes.push_back(file.index.get());
    }
    if (indexes.empty()) return {};
    return LookUpInDictionaries(indexes, term, limit);
}

void SetDictionaryLoadTeller(DictionaryLoadTeller teller) { loadTeller.store(teller); }

void WaitForDictionaryLoad() {
    const std::shared_ptr<Shelf>& shelf = TheShelf();
    std::unique_lock lock(shelf->mutex);
    shelf->loadEnded.wait(lock, [&] { return !shelf->loading; });
}
