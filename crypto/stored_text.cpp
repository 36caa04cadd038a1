#include "crypto/stored_text.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <vector>

#include "crypto/cipher_method_set.h"
#include "crypto/hex.h"
#include "crypto/tea.h"

std::string MakeStoredText(std::string_view keyText, std::string_view plain) {
    if (plain.empty()) {
        throw std::invalid_argument("A stored text cannot be empty");
    }
    if (plain.find('\0') != std::string_view::npos) {
        throw std::invalid_argument("A stored text cannot hold a zero byte");
    }

    std::array<unsigned char, TEA::kKeyLength> key;
    CopyKeyText(keyText, key.data(), key.size());
    constexpr std::array<unsigned char, TEA::kBlockSize> zeroChain{};
    TEA tea;
    tea.SetKey(key.data(), key.size(), zeroChain.data(), CCipherMethod::kEcb,
               CCipherMethod::kPadZeros);

    const std::size_t blockSize = TEA::kBlockSize;
    std::vector<unsigned char> padded((plain.size() + blockSize - 1) / blockSize * blockSize);
    std::copy(plain.begin(), plain.end(), padded.begin());
    const std::size_t n = tea.Pad(padded.data(), plain.size());
    std::vector<unsigned char> enciphered(n);
    tea.Encrypt(padded.data(), enciphered.data(), n);
    return HexEncode(enciphered.data(), n);
}
