#include "crypto/cipher_method_set.h"

#include <algorithm>
#include <stdexcept>

#include "crypto/blowfish.h"
#include "crypto/hex.h"
#include "crypto/rijndael.h"
#include "crypto/tea.h"
#include "crypto/xor256_block.h"
#include "crypto/xor256_stream.h"

namespace {

// Stored texts are short: their bytes are decoded on the stack, longer ones on the heap.
constexpr std::size_t kStackTextBytes = 1024;

// The initial chain of every method the set keys, as long as the largest block.
constexpr std::array<unsigned char, 32> kZeroChain{};

}  // namespace

CCipherMethodSet::CCipherMethodSet(bool hexMode) : m_hexMode(hexMode) {}

CCipherMethodSet::~CCipherMethodSet() {
    for (std::size_t slot = kSlotCount; slot-- > 0;) {
        m_methods[slot].reset();
    }
}

std::unique_lock<std::mutex> CCipherMethodSet::Lock() {
    return std::unique_lock(m_mutex);
}

void CopyKeyText(std::string_view keyText, unsigned char* key, std::size_t size) {
    const std::size_t copied = std::min(keyText.size(), size);
    std::copy_n(keyText.begin(), copied, key);
    std::fill(key + copied, key + size, 0);
}

void CCipherMethodSet::FillKey(std::string_view keyText, unsigned char* key,
                               std::size_t size) const {
    if (!m_hexMode) {
        CopyKeyText(keyText, key, size);
        return;
    }
    std::fill_n(key, size, 0);
    // A key that stops decoding early keeps zero bytes from the failing pair on.
    HexDecode(keyText, key, std::min(keyText.size() / 2, size));
}

template <class Method>
Method& CCipherMethodSet::Instance(Slot slot) {
    std::unique_ptr<CCipherMethod>& instance = m_methods[slot];
    if (!instance) instance = std::make_unique<Method>();
    // Each slot only ever holds an instance of its own method.
    return static_cast<Method&>(*instance);
}

CCipherMethod* CCipherMethodSet::Select(int method, std::string_view keyText, int operationMode,
                                        int paddingMode) {
    constexpr int kBlockSize = 16;
    constexpr int kRounds = 4;
    switch (method) {
        case kRijndael: {
            std::array<unsigned char, 32> key;
            FillKey(keyText, key.data(), key.size());
            RIJNDAEL& rijndael = Instance<RIJNDAEL>(kSlotRijndael);
            rijndael.SetKey(key.data(), key.size(), kZeroChain.data(), kBlockSize, kBlockSize,
                            operationMode, paddingMode);
            return &rijndael;
        }
        case kXor256Stream: {
            std::array<unsigned char, XOR256STREAM::kKeyLength> key;
            FillKey(keyText, key.data(), key.size());
            XOR256STREAM& stream = Instance<XOR256STREAM>(kSlotXor256Stream);
            stream.SetKey(key.data(), key.size(), kRounds);
            return &stream;
        }
        case kTea: {
            std::array<unsigned char, TEA::kKeyLength> key;
            FillKey(keyText, key.data(), key.size());
            TEA& tea = Instance<TEA>(kSlotTea);
            tea.SetKey(key.data(), key.size(), kZeroChain.data(), operationMode, paddingMode);
            return &tea;
        }
        case kXor256Block: {
            std::array<unsigned char, XOR256BLOCK::kKeyLength> key;
            FillKey(keyText, key.data(), key.size());
            XOR256BLOCK& block = Instance<XOR256BLOCK>(kSlotXor256Block);
            block.SetKey(key.data(), key.size(), kZeroChain.data(), kBlockSize, kRounds, kRounds,
                         operationMode, paddingMode);
            return &block;
        }
        case kBlowfish: {
            std::array<unsigned char, BLOWFISH::kKeyLength> key;
            FillKey(keyText, key.data(), key.size());
            BLOWFISH& blowfish = Instance<BLOWFISH>(kSlotBlowfish);
            blowfish.SetKey(key.data(), key.size(), kZeroChain.data(), operationMode, paddingMode);
            return &blowfish;
        }
        default:
            throw std::runtime_error("FileCrypt ERROR: Illegal Method Number!");
    }
}

std::string CCipherMethodSet::TextCipher(int method, std::string_view keyText,
                                         std::string_view hexText) {
    const std::lock_guard lock(m_mutex);
    const std::size_t n = hexText.size() / 2;
    CCipherMethod* cipher = Select(method, keyText);

    std::array<unsigned char, kStackTextBytes> stackBytes;
    std::unique_ptr<unsigned char[]> heapBytes;
    unsigned char* enciphered = stackBytes.data();
    if (n > stackBytes.size()) {
        heapBytes = std::make_unique_for_overwrite<unsigned char[]>(n);
        enciphered = heapBytes.get();
    }
    if (!HexDecode(hexText, enciphered, n)) {
        throw std::runtime_error("Illegal Hexadecimal Text!");
    }

    cipher->ResetChain();
    std::string plain(n, '\0');
    cipher->Decrypt(enciphered, reinterpret_cast<unsigned char*>(plain.data()), n);
    if (m_hexMode) {
        return HexEncode(reinterpret_cast<const unsigned char*>(plain.data()), n);
    }
    if (const std::size_t zero = plain.find('\0'); zero != std::string::npos) {
        plain.resize(zero);
    }
    return plain;
}

CCipherMethodSet& TheCipherMethodSet() {
    static CCipherMethodSet set;
    return set;
}
