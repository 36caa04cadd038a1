#include <iostream>

#include "dictionary/dict_store.h"
#include "dictionary/file_error.h"
#include "text/mbcs.h"
#include "tools/gdict/arguments.h"
#include "tools/gdict/commands.h"

int RunDump(const std::vector<std::string>& args) {
    const Arguments arguments(args, {}, 1);
    CDictStore store;
    std::optional<CFileError> failure;
    try {
        store.LoadFile(arguments.Positional(0));
    } catch (const CFileError& error) {
        failure = error;  // the entries read before the failure are still shown
    }
    for (const CDictEntry& entry : store.entries()) {
        std::cout << mbcs::ToUtf8(entry.english) << '\t' << mbcs::ToUtf8(entry.chinese) << '\n';
    }
    if (failure) throw *failure;
    return 0;
}
