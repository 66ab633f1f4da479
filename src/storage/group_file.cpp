#include "storage/group_file.h"

#include <objbase.h>
#include <windows.h>

#include <algorithm>
#include <new>
#include <string>

#include "common/handles.h"
#include "common/win32_text.h"
#include "storage/ansi_text.h"
#include "storage/content_hash.h"
#include "storage/csv_format.h"
#include "storage/data_folder.h"
#include "storage/group_file_name.h"
#include "storage/replacing_file.h"
#include "storage/settings.h"
#include "storage/text_encoding.h"

namespace {

// What a load learned of a file, which its saves must respect.
struct KnownFile {
    std::wstring path;
    // It exists but could not be read: saving over it would destroy entries
    // the user has never seen, so that is refused until a load works.
    bool unreadable = false;
    TextEncoding encoding = TextEncoding::Ansi;
    // What was shown is not all the file held; before the first save
    // replaces it, the original is kept beside it.
    bool inexact = false;
    bool originalKept = false;
    // What the last load or save saw there: no file, or these bytes. A file
    // that is no longer so was changed by another program.
    bool seenMissing = false;
    FileStamp seenStamp{};
    uint64_t seenHash = 0;
    // The content whose cut texts the user was told of.
    uint64_t cutToldHash = 0;
};

std::vector<KnownFile> knownFiles;

bool SamePath(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

KnownFile* FindKnown(const std::wstring& path) {
    const auto found =
        std::find_if(knownFiles.begin(), knownFiles.end(), [&](const KnownFile& f) { return SamePath(f.path, path); });
    return found == knownFiles.end() ? nullptr : &*found;
}

KnownFile& Remember(const std::wstring& path) {
    if (KnownFile* known = FindKnown(path)) return *known;
    knownFiles.push_back({path});
    return knownFiles.back();
}

// Of the file itself: Windows tells a symbolic link's own size and time by
// its name, and only an open handle reaches the file it leads to.
bool StampOf(const std::wstring& path, FileStamp& stamp) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return false;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        FileHandle file(CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, 0, nullptr));
        BY_HANDLE_FILE_INFORMATION info{};
        if (!file || !GetFileInformationByHandle(file.Get(), &info)) return false;
        data.nFileSizeHigh = info.nFileSizeHigh;
        data.nFileSizeLow = info.nFileSizeLow;
        data.ftLastWriteTime = info.ftLastWriteTime;
    }
    stamp.size = static_cast<uint64_t>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
    stamp.written = static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32 | data.ftLastWriteTime.dwLowDateTime;
    return true;
}

std::wstring PathOfGroup(std::u16string_view name) {
    return DataFilePath(std::wstring(name.begin(), name.end()) + L".csv");
}

std::wstring GroupFilePath(const AppSettings& settings) {
    return PathOfGroup(settings.groupNames[settings.currentGroup]);
}

// A name from an old settings file or pasted past the filter could lead
// outside the data folder or to a device; such a file is never opened.
bool HasSafeName(const AppSettings& settings) {
    return IsSafeGroupName(settings.groupNames[settings.currentGroup], IsNameSafeCharacter);
}

void SetEntryCount(AppSettings snapshot, size_t count) {
    snapshot.entryCounts[snapshot.currentGroup] = static_cast<int32_t>(std::min<size_t>(count, INT32_MAX));
    ApplyAppSettings(snapshot);
}

int Fail(GroupFileReport& report) {
    report.outcome = GroupFileReport::Outcome::Failed;
    return -1;
}

int ReportUnreadable(const std::wstring& path, GroupFileReport& report) {
    Remember(path).unreadable = true;
    return Fail(report);
}

enum class ReadOutcome { Read, Missing, Failed };

bool FolderIsThere(const std::wstring& path) {
    const size_t nameStart = path.find_last_of(L"\\/");
    const std::wstring folder = nameStart == std::wstring::npos ? L"." : path.substr(0, nameStart + 1);
    const DWORD attributes = GetFileAttributesW(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Other programs (a spreadsheet, an editor) may hold the file open for
// writing; it is read all the same, to its end as it is now.
ReadOutcome ReadWholeFile(const std::wstring& path, std::string& bytes, FileStamp* stamp = nullptr) {
    FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) {
        // Only a file absent from a folder that is there means a group without
        // a file yet; a folder away for a moment (a USB stick, a network share)
        // hides a file that is still the user's.
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND && FolderIsThere(path) ? ReadOutcome::Missing : ReadOutcome::Failed;
    }
    LARGE_INTEGER size{};
    FILETIME written{};
    if (!GetFileSizeEx(file.Get(), &size) || !GetFileTime(file.Get(), nullptr, nullptr, &written)) {
        return ReadOutcome::Failed;
    }
    bytes.resize(static_cast<size_t>(size.QuadPart));
    size_t total = 0;
    for (;;) {
        if (total == bytes.size()) bytes.resize(bytes.size() + 64 * 1024);  // it grew meanwhile
        const size_t room = bytes.size() - total;
        DWORD read = 0;
        if (!ReadFile(file.Get(), bytes.data() + total, static_cast<DWORD>(std::min<size_t>(room, 0x40000000)), &read,
                      nullptr)) {
            return ReadOutcome::Failed;
        }
        if (read == 0) break;
        total += read;
    }
    bytes.resize(total);
    if (stamp) *stamp = {total, static_cast<uint64_t>(written.dwHighDateTime) << 32 | written.dwLowDateTime};
    return ReadOutcome::Read;
}

// The records' bytes as UTF-8 or ANSI, with the code page that decodes them.
UINT PrepareText(std::string& bytes, TextEncoding encoding, bool& exact) {
    switch (encoding) {
    case TextEncoding::Utf16Le:
    case TextEncoding::Utf16Be: {
        std::string utf8;
        exact = Utf16BytesToUtf8(std::string_view(bytes).substr(2), encoding == TextEncoding::Utf16Be, utf8) && exact;
        bytes.swap(utf8);
        return CP_UTF8;
    }
    case TextEncoding::Utf8WithMark:
        bytes.erase(0, kUtf8ByteOrderMark.size());
        return CP_UTF8;
    case TextEncoding::Utf8:
        return CP_UTF8;
    case TextEncoding::Ansi:
        break;
    }
    return CP_ACP;
}

void DecodeRecords(const std::vector<CsvRecord>& records, UINT codePage, std::vector<GlossaryEntry>& entries,
                   bool& exact, bool& cut, size_t maxUnits) {
    entries.resize(records.size());
    for (size_t n = 0; n < records.size(); ++n) {
        for (int column = 0; column < records[n].fieldCount; ++column) {
            entries[n].texts[column] = DecodeField(records[n].fields[column], codePage, maxUnits, exact, &cut);
        }
    }
}

// Encodes every entry; false when the ANSI code page cannot hold some text.
bool EncodeRecords(const std::vector<GlossaryEntry>& entries, bool utf8, std::string& content) {
    std::string fields[kCsvFieldCount];
    for (const GlossaryEntry& entry : entries) {
        std::string_view views[kCsvFieldCount];
        for (int column = 0; column < kCsvFieldCount; ++column) {
            fields[column].clear();
            if (utf8) {
                AppendUtf8(fields[column], entry.texts[column]);
            } else if (!AppendAnsiLossless(fields[column], entry.texts[column])) {
                return false;
            }
            views[column] = fields[column];
        }
        AppendCsvRecord(content, views);
    }
    return true;
}

std::string EncodeFile(const std::vector<GlossaryEntry>& entries, TextEncoding encoding) {
    std::string content;
    switch (encoding) {
    case TextEncoding::Ansi:
        // ANSI files stay byte for byte as before unless some text would be
        // lost there; then the file is written as UTF-8 with a mark.
        if (EncodeRecords(entries, false, content)) return content;
        content.assign(kUtf8ByteOrderMark);
        EncodeRecords(entries, true, content);
        return content;
    case TextEncoding::Utf8:
    case TextEncoding::Utf8WithMark:
        content.assign(ByteOrderMarkOf(encoding));
        EncodeRecords(entries, true, content);
        return content;
    case TextEncoding::Utf16Le:
    case TextEncoding::Utf16Be:
        EncodeRecords(entries, true, content);
        return std::string(ByteOrderMarkOf(encoding)) + Utf8ToUtf16Bytes(content, encoding == TextEncoding::Utf16Be);
    }
    return content;
}

// Whether the file at path is no longer what the last load or save saw. A
// file that is not there, or cannot be read just now, holds nothing of another
// program's that a save could destroy unseen.
bool ChangedSinceSeen(const std::wstring& path) {
    FileStamp now{};
    if (!StampOf(path, now)) return false;
    KnownFile* known = FindKnown(path);
    if (!known || known->seenMissing) return true;
    if (now == known->seenStamp) return false;
    // Touched, or written again with the same bytes: not a change.
    std::string bytes;
    FileStamp read{};
    if (ReadWholeFile(path, bytes, &read) != ReadOutcome::Read) return false;
    if (HashOfBytes(bytes) != known->seenHash) return true;
    known->seenStamp = read;
    return false;
}

// Before a save replaces a file that another program changed, or the first
// save after a load that was not exact, the file as it stands goes beside
// it; false when that copy could not be made.
bool KeepCopyIfNeeded(const std::wstring& path, GroupFileReport& report) {
    const bool changed = ChangedSinceSeen(path);
    KnownFile* known = FindKnown(path);
    const bool lossy = known && known->inexact && !known->originalKept;
    if (!changed && !lossy) return true;
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) return true;
    const std::wstring kept = KeepCopyBeside(path, L".orig");
    if (kept.empty()) return false;
    if (known && known->inexact) known->originalKept = true;
    report.keptCopy = kept;
    report.keptBecauseChanged = changed;
    return true;
}

// The entries held in a file's bytes, and how they were stored.
void DecodeGroupFile(std::string& bytes, std::vector<GlossaryEntry>& entries, TextEncoding& encoding, bool& exact,
                     bool& cut, size_t maxUnits = kEntryTextMaxUnits) {
    encoding = DetectTextEncoding(bytes);
    exact = true;
    const UINT codePage = PrepareText(bytes, encoding, exact);
    bool parsedExactly = true;
    const std::vector<CsvRecord> records = ParseCsvRecords(bytes, &parsedExactly);
    exact = exact && parsedExactly;
    std::string().swap(bytes);
    cut = false;
    DecodeRecords(records, codePage, entries, exact, cut, maxUnits);
}

int LoadInto(const std::wstring& path, const AppSettings& settings, std::vector<GlossaryEntry>& entries,
             GroupFileReport& report) {
    std::string bytes;
    FileStamp stamp{};
    switch (ReadWholeFile(path, bytes, &stamp)) {
    case ReadOutcome::Missing: {
        KnownFile& known = Remember(path);
        known = KnownFile{path};
        known.seenMissing = true;
        SetEntryCount(settings, 0);
        report.outcome = GroupFileReport::Outcome::Missing;
        report.cutOff = FindCutOffSave(path);
        return -1;
    }
    case ReadOutcome::Failed:
        return ReportUnreadable(path, report);
    case ReadOutcome::Read:
        break;
    }
    const uint64_t hash = HashOfBytes(bytes);
    RemoveLeftTemporaries(path);

    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);

    TextEncoding encoding{};
    bool exact = true;
    bool cut = false;
    DecodeGroupFile(bytes, entries, encoding, exact, cut);
    KnownFile& known = Remember(path);
    // A text longer than an entry holds is shown cut: the user is told once
    // for this content, with the original kept beside at once.
    const bool tellCut = cut && known.cutToldHash != hash;
    known.unreadable = false;
    known.encoding = encoding;
    // Every load that is not exact keeps its original before the first save, not only the first in a run.
    known.inexact = !exact;
    known.originalKept = false;
    known.seenMissing = false;
    known.seenStamp = stamp;
    known.seenHash = hash;
    // Its original was kept when the user was told of it.
    if (cut && !tellCut) known.originalKept = true;
    if (tellCut) {
        report.cutOriginal = KeepCopyBeside(path, L".orig");
        known.originalKept = !report.cutOriginal.empty();
        known.cutToldHash = hash;
    }
    SetEntryCount(settings, entries.size());
    return 0;
}

}  // namespace

int LoadGroupFile(std::vector<GlossaryEntry>& entries, GroupFileReport& report) {
    report = {};
    entries.clear();
    const AppSettings settings = appSettings;
    if (!HasSafeName(settings)) return Fail(report);
    const std::wstring path = GroupFilePath(settings);
    try {
        return LoadInto(path, settings, entries, report);
    } catch (const std::bad_alloc&) {
        // Too large for the memory there is: reported as what it is, a file
        // that could not be read.
        std::vector<GlossaryEntry>().swap(entries);
        return ReportUnreadable(path, report);
    }
}

namespace {

int SaveTo(const std::wstring& path, const std::vector<GlossaryEntry>& entries, TextEncoding encoding,
           GroupFileReport& report) {
    report = {};
    if (const KnownFile* known = FindKnown(path); known && known->unreadable) return Fail(report);
    try {
        const std::string content = EncodeFile(entries, encoding);
        if (!KeepCopyIfNeeded(path, report) || !ReplaceFileContent(path, content)) return Fail(report);
        KnownFile& written = Remember(path);
        written.encoding = encoding;
        written.inexact = false;
        written.seenMissing = !StampOf(path, written.seenStamp);
        written.seenHash = HashOfBytes(content);
    } catch (const std::bad_alloc&) {
        return Fail(report);
    }
    return 0;
}

TextEncoding EncodingOf(const std::wstring& path) {
    const KnownFile* known = FindKnown(path);
    return known ? known->encoding : TextEncoding::Ansi;
}

}  // namespace

int SaveGroupFile(const std::vector<GlossaryEntry>& entries, GroupFileReport& report) {
    const AppSettings settings = appSettings;
    if (!HasSafeName(settings)) return Fail(report = {});
    const std::wstring path = GroupFilePath(settings);
    return SaveTo(path, entries, EncodingOf(path), report);
}

int SaveGroupFileAs(std::u16string_view name, const std::vector<GlossaryEntry>& entries, GroupFileReport& report) {
    const AppSettings settings = appSettings;
    if (!HasSafeName(settings) || !IsSafeGroupName(name, IsNameSafeCharacter)) return Fail(report = {});
    // A renamed group keeps the encoding its file had.
    const TextEncoding encoding = EncodingOf(GroupFilePath(settings));
    return SaveTo(PathOfGroup(name), entries, encoding, report);
}

bool GroupFileChangedOnDisk() {
    const AppSettings settings = appSettings;
    return HasSafeName(settings) && ChangedSinceSeen(GroupFilePath(settings));
}

bool GroupFileExists(std::u16string_view name) {
    return GetFileAttributesW(PathOfGroup(name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool SameGroupFile(std::u16string_view name, std::u16string_view other) {
    return SamePath(PathOfGroup(name), PathOfGroup(other));
}

GroupFileRead ReadGroupFileEntries(std::u16string_view name, std::vector<GlossaryEntry>& entries, std::size_t maxUnits) {
    entries.clear();
    if (!IsSafeGroupName(name, IsNameSafeCharacter)) return GroupFileRead::Unreadable;
    try {
        std::string bytes;
        switch (ReadWholeFile(PathOfGroup(name), bytes)) {
        case ReadOutcome::Missing:
            return GroupFileRead::Missing;
        case ReadOutcome::Failed:
            return GroupFileRead::Unreadable;
        case ReadOutcome::Read:
            break;
        }
        TextEncoding encoding{};
        bool exact = true;
        bool cut = false;
        DecodeGroupFile(bytes, entries, encoding, exact, cut, maxUnits);
        return GroupFileRead::Read;
    } catch (const std::bad_alloc&) {
        std::vector<GlossaryEntry>().swap(entries);
        return GroupFileRead::Unreadable;
    }
}

bool GroupFileUnreadable() {
    const AppSettings settings = appSettings;
    if (!HasSafeName(settings)) return true;
    const KnownFile* known = FindKnown(GroupFilePath(settings));
    return known && known->unreadable;
}

std::wstring GroupFilePathOf(std::u16string_view name) { return PathOfGroup(name); }

bool GroupFileStamp(std::u16string_view name, FileStamp& stamp) {
    return IsSafeGroupName(name, IsNameSafeCharacter) && StampOf(PathOfGroup(name), stamp);
}
