#pragma once
// The one index of the whole glossary, as it stands: the group files, and
// the rows of the open group where they are not saved yet. Used by the find
// window and by the edit dialog's note on terms already collected.
#include <cstdint>
#include <string>

#include "storage/glossary_index.h"

const GlossaryIndex& Glossary();
// Brings the index up to what the glossary holds now: files are looked at
// again only when they changed on disk, the open group's rows only after a
// change of the list. The listener hears of every change of the index, before
// anything else uses it. May throw std::bad_alloc.
void RefreshGlossary();
void SetGlossaryListener(void (*listener)());
// How many rows the index has read from the word list so far: following
// changes reads only rows inserted or edited.
uint64_t GlossaryRowsRead();

// The groups that already hold this term, as a line for the user (empty when none does).
std::wstring DescribeGroupsWithTerm(const std::wstring& term);
