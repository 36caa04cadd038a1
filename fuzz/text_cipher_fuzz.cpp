// Feeds arbitrary key and hexadecimal texts to TextCipher: the first byte gives the key's
// length, the rest is split into key and text. Only std::runtime_error may come out.
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string_view>

#include "crypto/cipher_method_set.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::size_t keyLength = data[0] % 24 < rest.size() ? data[0] % 24 : rest.size();
    try {
        const std::string plain =
            TheCipherMethodSet().TextCipher(2, rest.substr(0, keyLength), rest.substr(keyLength));
        if (plain.find('\0') != std::string::npos) __builtin_trap();
    } catch (const std::runtime_error&) {
    }
    return 0;
}
