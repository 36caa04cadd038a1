#include "userdata/own_term_store.h"

std::unique_ptr<CDictStore> MakeOwnTermStore(const std::vector<COwnTerm>& terms) {
    auto store = std::make_unique<CDictStore>();
    std::string chinese;
    for (const COwnTerm& term : terms) {
        chinese = term.chinese;
        if (!term.note.empty())
            chinese.append(kOwnNoteOpen).append(term.note).append(kOwnNoteClose);
        store->AddEntry(term.english, chinese);
    }
    return store;
}
