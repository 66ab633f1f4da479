#include "support/debian_edict.h"

#include <fstream>
#include <iterator>
#include <memory>

const std::string* DebianEdictBytes() {
    static const std::unique_ptr<std::string> bytes = [] {
        std::ifstream file(kDebianEdictPath, std::ios::binary);
        if (!file) return std::unique_ptr<std::string>();
        return std::make_unique<std::string>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }();
    return bytes.get();
}

const DictionaryIndex* DebianEdict() {
    static const std::unique_ptr<DictionaryIndex> index = []() -> std::unique_ptr<DictionaryIndex> {
        const std::string* bytes = DebianEdictBytes();
        return bytes ? std::make_unique<DictionaryIndex>(*bytes) : nullptr;
    }();
    return index.get();
}

std::string DebianEdictMissing() {
    return std::string(kDebianEdictPath) + " is missing: install Debian's edict package (tools/setup.sh does)";
}
