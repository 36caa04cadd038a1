// Feeds arbitrary bytes to the dictionary loader as a dictionary file. The loader may only
// throw CFileError; anything else (a crash, a sanitizer report, another exception) is a fault.
// What was loaded is then searched for a query cut from the input's last bytes, and the search
// must find what the plain way of searching finds.
#include <stdio.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>

#include "dictionary/archive_reader.h"
#include "dictionary/dict_store.h"
#include "dictionary/file_error.h"
#include "tests/support/plain_search.h"

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
    // The last byte tells the query's length (up to 7), the bytes before it are the query.
    const std::size_t length = std::min<std::size_t>(data[size - 1] % 8, size - 1);
    const std::string_view query(reinterpret_cast<const char*>(data) + size - 1 - length, length);
    if (plainsearch::StoreSearch(store, query) != plainsearch::PlainSearch(store, query)) {
        std::abort();
    }
    return 0;
}
