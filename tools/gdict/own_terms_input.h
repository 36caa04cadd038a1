// The own terms as gdict's searches read them, and the line that reports a damaged list file.
#pragma once

#include <memory>
#include <optional>

#include "dictionary/dict_store.h"
#include "userdata/list_file.h"

// One line on standard error, "gdict SUBCOMMAND: FILE is damaged: ...", naming the lines that
// could not be read and where the file as it was is kept; nothing for no damage.
void ReportDamage(const char* subcommand, const std::optional<CDamageReport>& damage);

// The own terms of the user's data folder (userdata/data_folder.h) as a store for the ranking,
// for gdict SUBCOMMAND. A list that cannot be read (a later format, a file or folder that cannot
// be read, a lock held too long) is left out with one line on standard error that says why, and
// the search goes on with the dictionary alone: null then. A missing list is an empty store.
std::unique_ptr<CDictStore> LoadOwnTermStore(const char* subcommand);
