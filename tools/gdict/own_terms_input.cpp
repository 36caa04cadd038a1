#include "tools/gdict/own_terms_input.h"

#include <iostream>

#include "userdata/data_folder.h"
#include "userdata/own_term_store.h"
#include "userdata/own_terms.h"

void ReportDamage(const char* subcommand, const std::optional<CDamageReport>& damage) {
    if (!damage) return;
    std::cerr << "gdict " << subcommand << ": " << damage->file << " is damaged: line";
    if (damage->lines.size() > 1) std::cerr << 's';
    for (std::size_t i = 0; i < damage->lines.size(); ++i) {
        std::cerr << (i == 0 ? " " : ", ") << damage->lines[i];
    }
    std::cerr << " could not be read; ";
    if (!damage->keptAs.empty()) {
        std::cerr << "the file as it was is kept as " << damage->keptAs << '\n';
    } else {
        std::cerr << "the file is left as it is (" << damage->keepFailure << ")\n";
    }
}

std::unique_ptr<CDictStore> LoadOwnTermStore(const char* subcommand) {
    try {
        const CListRead<COwnTerm> terms = COwnTerms(UserDataFolder()).Read();
        ReportDamage(subcommand, terms.damage);
        return MakeOwnTermStore(terms.records);
    } catch (const CUserDataError& error) {
        std::cerr << "gdict " << subcommand << ": the own terms are left out: " << error.what()
                  << '\n';
        return nullptr;
    }
}
