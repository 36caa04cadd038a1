// Feeds arbitrary bytes to the dictionary loader as a dictionary file. The loader may only
// throw CFileError; anything else (a crash, a sanitizer report, another exception) is a fault.
#include <stdio.h>

#include <cstddef>
#include <cstdint>
#include <memory>

#include "dictionary/archive_reader.h"
#include "dictionary/dict_store.h"
#include "dictionary/file_error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;  // fmemopen refuses an empty buffer
    const std::unique_ptr<FILE, int (*)(FILE*)> file(
        fmemopen(const_cast<std::uint8_t*>(data), size, "rb"), &fclose);
    if (!file) return 0;
    CDictStore store;
    CArchiveReader archive(file.get());
    try {
        store.ReadEntries(archive);
    } catch (const CFileError&) {
    }
    // Searching what was loaded must be safe too.
    store.Search(size > 1 ? std::string_view(reinterpret_cast<const char*>(data), 2) : "");
    return 0;
}
