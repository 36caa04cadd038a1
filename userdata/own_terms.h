// The own terms: the user's (or the company's) own English-Chinese entries, searched with the
// dictionary, in the order they were added, in the file own_terms.tsv of the data folder
// (FORMAT.md). A term is known by its pair of English and Chinese texts: the list holds each pair
// once. Each call is one read or one transaction of userdata/list_file.h, and throws
// CUserDataError as that says; texts given to a change lose the spaces and TABs at their ends,
// and one that is then empty (the note may be), too long, holds a control character or is no
// code page 936 text is refused with Cause::badText before anything is read.
#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "userdata/list_file.h"

struct COwnTerm {
    std::string english;  // code page 936
    std::string chinese;  // code page 936
    std::string note;     // code page 936; may be empty
};

struct CImportedTerms;

enum class COwnTermOutcome {
    added,        // a new term, at the end of the list
    noteChanged,  // the list held the pair: its note is now the one given
    unchanged,    // the list held the term as given
    edited,       // the term was changed as asked
    notFound,     // the list holds no term of the pair to edit
    duplicate,    // the edit would give the pair of another term of the list
};

struct COwnTermChange {
    COwnTermOutcome outcome;
    std::optional<CDamageReport> damage;
};

// What an import did with its terms.
struct CImportCounts {
    std::size_t added = 0;        // new terms
    std::size_t noteChanged = 0;  // terms of pairs already held, whose line gave another note
    std::size_t unchanged = 0;    // terms held already as the line gave them (a line without a
                                  // note leaves a held note as it is)
    std::optional<CDamageReport> damage;
};

class COwnTerms {
public:
    static constexpr char kFileName[] = "own_terms.tsv";

    // The own terms of the data folder folder (userdata/data_folder.h).
    explicit COwnTerms(const std::string& folder,
                       std::chrono::milliseconds lockWait = kDefaultLockWait);

    const std::string& path() const { return m_path; }

    CListRead<COwnTerm> Read() const;

    // Adds term at the end, or, when the list holds its pair, gives that term the note of term
    // unless that is empty: added, noteChanged or unchanged. (Edit removes a note.)
    COwnTermChange Add(const COwnTerm& term) const;

    // Replaces the term of the pair english, chinese with term, in its place: edited, unchanged,
    // notFound or duplicate (nothing changed then).
    COwnTermChange Edit(std::string_view english, std::string_view chinese,
                        const COwnTerm& term) const;

    // Removes the term of the pair english, chinese, or without chinese every term of the English
    // text english (the texts without the spaces at their ends); count is how many went.
    CListChange Remove(std::string_view english, std::optional<std::string_view> chinese) const;

    // Adds the terms of an import in one transaction, one after the other by the rules of Add:
    // the list holds all of them afterwards, or (on an exception) is as it was. A pair that the
    // import gives twice is added once; its later line counts as unchanged, or as noteChanged
    // when it gives another note. Throws CUserDataError (Cause::badText) for a term that Add
    // would refuse, before anything is read.
    CImportCounts Import(const CImportedTerms& imported) const;

private:
    std::string m_path;
    std::chrono::milliseconds m_lockWait;
};
