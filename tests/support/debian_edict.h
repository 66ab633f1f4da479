#pragma once
// The full EDICT as Debian's edict package installs it (tools/setup.sh
// installs the package): real data that nobody here wrote.
#include <string>

#include "storage/dictionary_index.h"

inline constexpr const char* kDebianEdictPath = "/usr/share/edict/edict";

// The file's bytes, read once; null when it is missing.
const std::string* DebianEdictBytes();
// The file loaded once, for every test that looks words up in it; null when missing.
const DictionaryIndex* DebianEdict();
// What a test that needs the file says when it is missing.
std::string DebianEdictMissing();
