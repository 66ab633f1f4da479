// Arbitrary entries and changes: what find keeps of a group after following
// the changes (folding only what changed, in place or anew) is what folding
// every entry afresh gives, and a search finds what a plain scan finds.
#include "storage/folded_group.h"
#include "storage/followed_rows.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace {

void Require(bool holds) {
    if (!holds) __builtin_trap();
}

// Lengths change as the system's folding changes them: a letter and an
// apostrophe become one unit, 'x' becomes two, case goes.
std::wstring Fold(std::wstring_view text) {
    std::wstring folded;
    for (size_t i = 0; i < text.size(); ++i) {
        wchar_t c = text[i] >= L'A' && text[i] <= L'Z' ? static_cast<wchar_t>(text[i] + 32) : text[i];
        if (i + 1 < text.size() && text[i + 1] == L'\'') {
            c = static_cast<wchar_t>(c + 0x1000);
            ++i;
        }
        folded += c;
        if (c == L'x') folded += L'x';
    }
    return folded;
}

class Input {
public:
    Input(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    bool Empty() const { return at_ >= size_; }
    uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
    std::wstring Text() {
        static constexpr wchar_t kLetters[] = L"abxX'\x1F é";
        std::wstring text(Byte() % 6, L' ');
        for (wchar_t& c : text) c = kLetters[Byte() % (sizeof kLetters / sizeof kLetters[0] - 1)];
        return text;
    }
    GlossaryEntry Entry() { return GlossaryEntry{{Text(), Text(), Text(), Text()}}; }

private:
    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
};

void RequireSame(const FoldedGroup& followed, const std::vector<GlossaryEntry>& entries) {
    const FoldedGroup fresh(entries, Fold);
    Require(followed.EntryCount() == entries.size());
    for (size_t n = 0; n < entries.size(); ++n) Require(followed.Entry(n) == fresh.Entry(n));
    for (const wchar_t* query : {L"a", L"x", L"b'", L"ab", L" "}) {
        Require(followed.Find(FoldQuery(query, Fold)) == fresh.Find(FoldQuery(query, Fold)));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Input input(data, size);
    std::vector<GlossaryEntry> entries(input.Byte() % 8);
    for (GlossaryEntry& entry : entries) entry = input.Entry();
    FoldedGroup folded(entries, Fold);
    while (!input.Empty()) {
        // A change as the list makes them: rows kept (in order or moved), rows added, rows gone.
        std::vector<int> from;
        std::vector<GlossaryEntry> after, read;
        const bool keepOrder = input.Byte() & 1;
        std::vector<int> sources;
        for (size_t n = 0; n < entries.size(); ++n) {
            if (input.Byte() % 4 != 0) sources.push_back(static_cast<int>(n));
        }
        if (!keepOrder) {
            for (size_t n = sources.size(); n > 1; --n) std::swap(sources[n - 1], sources[input.Byte() % n]);
        }
        for (int source : sources) {
            while (!input.Empty() && input.Byte() % 5 == 0) {
                from.push_back(-1);
                read.push_back(input.Entry());
                after.push_back(read.back());
            }
            from.push_back(source);
            after.push_back(entries[static_cast<size_t>(source)]);
        }
        if (input.Byte() % 3 == 0) {
            from.push_back(-1);
            read.push_back(input.Entry());
            after.push_back(read.back());
        }
        if (KeepsOrder(from) && (input.Byte() & 1)) {
            FoldedGroup inPlace = folded;
            Require(inPlace.Follow(from, after, Fold));
            RequireSame(inPlace, after);
        }
        const FoldedGroup moved(folded, from, after, Fold);
        RequireSame(moved, after);
        const FoldedGroup stretch(folded, entries, after, Fold);
        RequireSame(stretch, after);
        folded = moved;
        entries = after;
    }
    return 0;
}
