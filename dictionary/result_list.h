// CResultList: the entries a search found, in result order. It does not own them; they stay
// valid while the CDictStore that holds them lives.
#pragma once

#include <vector>

#include "dictionary/dict_entry.h"

using CResultList = std::vector<const CDictEntry*>;
