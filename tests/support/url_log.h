#pragma once
// The URLs the test prefix's stand-in browser was handed, one per line.
#include <string>
#include <vector>

void ClearUrlLog();
std::vector<std::string> RecordedUrls();
