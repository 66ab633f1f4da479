#pragma once
// The current group's entries in its CSV file, named after the group.

// Writes the word list's rows in their current order. 0, or -1 after telling
// the user (the previous file is then left as it was).
int SaveGroupFile();
// Fills the empty word list from the file and counts its rows. 0, or -1 when
// the file is missing (silently; the group is empty) or cannot be read.
int LoadGroupFile();
