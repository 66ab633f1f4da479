#pragma once
// What the program could not tell the user while Windows ended the session,
// kept in wordHaven-logoff.txt beside the data until the next start.
#include <string>
#include <string_view>

// Adds the text to the file; false when it could not be written.
bool KeepSessionEndNotes(std::wstring_view text);
// The notes kept by an earlier session, and the file removed; empty when none.
std::wstring TakeSessionEndNotes();
