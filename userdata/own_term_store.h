// The own terms as a dictionary store, so that the dictionary's search and ranking apply to them
// as they apply to the bundled dictionary.
#pragma once

#include <memory>
#include <vector>

#include "dictionary/dict_store.h"
#include "userdata/own_terms.h"

// Text put between a Chinese text and the note of an own term, and after the note: full-width
// brackets, the form of the notes of the dictionary's own entries, which the page shows apart
// and translate leaves out. Code page 936.
inline constexpr char kOwnNoteOpen[] = "\xA3\xA8";   // （
inline constexpr char kOwnNoteClose[] = "\xA3\xA9";  // ）

// A store whose entry i is terms[i]: its English text, and its Chinese text followed, when the
// term has a note, by kOwnNoteOpen, the note and kOwnNoteClose. Throws std::bad_alloc when
// memory runs out, std::invalid_argument for a text that holds a zero byte (which no term read
// from the list or given to it holds).
std::unique_ptr<CDictStore> MakeOwnTermStore(const std::vector<COwnTerm>& terms);
