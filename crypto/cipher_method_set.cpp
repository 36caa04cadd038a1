#include "crypto/cipher_method_set.h"

#include <algorithm>
#include <stdexcept>

#include "crypto/hex.h"
#include "crypto/tea.h"

namespace {

// Stored texts are short: their bytes are decoded on the stack, longer ones on the heap.
constexpr std::size_t kStackTextBytes = 1024;

constexpr std::array<unsigned char, TEA::kBlockSize> kZeroChain{};

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

CCipherMethod* CCipherMethodSet::Select(int method, std::string_view keyText) {
    if (method != kTea) {
        throw std::runtime_error("FileCrypt ERROR: Illegal Method Number!");
    }
    std::unique_ptr<CCipherMethod>& slot = m_methods[kSlotTea];
    if (!slot) {
        slot = std::make_unique<TEA>();
    }
    // The TEA slot only ever holds a TEA instance.
    auto& tea = static_cast<TEA&>(*slot);
    std::array<unsigned char, TEA::kKeyLength> key;
    FillKey(keyText, key.data(), key.size());
    tea.SetKey(key.data(), key.size(), kZeroChain.data(), CCipherMethod::kEcb,
               CCipherMethod::kPadZeros);
    return &tea;
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
