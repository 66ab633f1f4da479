// Times the dictionary on the full EDICT from Debian's edict package: loading
// it (time, and memory beside the file's size), and a lookup with and
// without deinflection, over inflected, plain and missing terms.
// Built natively; run by `make bench-native`.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "storage/dictionary_folding.h"
#include "storage/dictionary_lookup.h"

namespace {

constexpr const char* kEdictPath = "/usr/share/edict/edict";
constexpr int kRounds = 20;

double Now() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// Resident memory of this process in bytes, or 0 where it cannot be read.
long long ResidentBytes() {
    std::ifstream statm("/proc/self/statm");
    long long pages = 0, resident = 0;
    if (!(statm >> pages >> resident)) return 0;
    return resident * 4096;
}

struct Timing {
    double mean = 0, worst = 0;
};

template <typename Lookup>
Timing Time(const std::vector<std::u16string>& terms, Lookup lookup) {
    Timing timing;
    std::size_t count = 0;
    for (int round = 0; round < kRounds; ++round) {
        for (const std::u16string& term : terms) {
            const double start = Now();
            lookup(term);
            const double elapsed = Now() - start;
            timing.mean += elapsed;
            timing.worst = std::max(timing.worst, elapsed);
            ++count;
        }
    }
    timing.mean /= static_cast<double>(count);
    return timing;
}

}  // namespace

int main() {
    std::ifstream file(kEdictPath, std::ios::binary);
    if (!file) {
        std::fprintf(stderr, "%s is missing: install Debian's edict package (tools/setup.sh does)\n", kEdictPath);
        return 1;
    }
    file.seekg(0, std::ios::end);
    std::string bytes(static_cast<std::size_t>(file.tellg()), '\0');
    file.seekg(0);
    file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    const std::size_t fileSize = bytes.size();

    const long long residentBefore = ResidentBytes();
    const double loadStart = Now();
    const DictionaryIndex edict(std::move(bytes));
    const double loadTime = Now() - loadStart;
    const long long residentAfter = ResidentBytes();
    if (edict.Status() != DictionaryStatus::Loaded) {
        std::fprintf(stderr, "%s did not load as a dictionary\n", kEdictPath);
        return 1;
    }

    const std::vector<std::u16string> terms = {
        u"食べさせられなかった", u"食べました", u"行った", u"読まれる", u"来なかった", u"高くない", u"勉強しています",
        u"書きませんでした", u"した", u"きた", u"こう", u"かんじ", u"はし", u"タベル", u"ﾀﾍﾞﾙ", u"日本語",
        u"ぬぬぬぬぬぬぬぬぬぬぬぬ", u"走っちゃった", u"見られたくなかった", u"running",
    };
    std::size_t found = LookUpInDictionaries({&edict}, u"食べた").size();  // the first builds the rules
    const Timing inflected = Time(terms, [&](const std::u16string& term) {
        found += LookUpInDictionaries({&edict}, term).size();
    });
    std::vector<DictionaryHit> hits;
    DictionaryRecord record;
    const Timing plain = Time(terms, [&](const std::u16string& term) {
        hits.clear();
        edict.Find(FoldForDictionary(term), hits);
        for (const DictionaryHit& hit : hits) edict.Read(hit.entry, record);
    });

    const double mb = 1024.0 * 1024.0;
    std::printf("dictionary: full EDICT, %zu entries, file %.1f MB\n", edict.EntryCount(), fileSize / mb);
    std::printf("  load                        %8.1f ms\n", loadTime * 1e3);
    std::printf("  memory held (counted)       %8.1f MB  (%.2f x the file; goal <= 2)\n", edict.MemoryUsed() / mb,
                static_cast<double>(edict.MemoryUsed()) / static_cast<double>(fileSize));
    if (residentBefore > 0) {
        std::printf("  resident growth on load     %8.1f MB  (the file's bytes were read before)\n",
                    (residentAfter - residentBefore) / mb);
    }
    std::printf("  lookup with deinflection    %8.3f ms mean, %.3f ms worst (goal <= 5 ms), %zu terms x %d\n",
                inflected.mean * 1e3, inflected.worst * 1e3, terms.size(), kRounds);
    std::printf("  lookup without deinflection %8.3f ms mean, %.3f ms worst\n", plain.mean * 1e3, plain.worst * 1e3);
    return found > 0 ? 0 : 1;
}
