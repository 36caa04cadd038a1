#include "crypto/cipher_method.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>

#include "crypto/sha.h"

CCipherMethod::CCipherMethod(int blockSize, int keyLength)
    : m_blockSize(blockSize),
      m_keyLength(keyLength),
      m_key(static_cast<std::size_t>(keyLength)),
      m_initialChain(static_cast<std::size_t>(blockSize)),
      m_chain(static_cast<std::size_t>(blockSize)) {}

CCipherMethod::~CCipherMethod() = default;

void CCipherMethod::CheckKeyData(const unsigned char* keyData, std::size_t keyDataLength) {
    if (keyData == nullptr) {
        throw std::runtime_error("FileCrypt ERROR: No Key DataSpecified!");
    }
    if (keyDataLength == 0) {
        throw std::runtime_error("FileCrypt ERROR: Key Data Length should be > 0!");
    }
}

void CCipherMethod::CheckModes(int operationMode, int paddingMode) {
    if (operationMode < kEcb || operationMode > kCfb) {
        throw std::runtime_error("FileCrypt ERROR: Illegal Operation Mode!");
    }
    if (paddingMode < kPadZeros || paddingMode > kPadCount) {
        throw std::runtime_error("FileCrypt ERROR: Illegal Padding Mode!");
    }
}

void CCipherMethod::StretchKey(const unsigned char* keyData, std::size_t keyDataLength,
                               unsigned char* out, std::size_t keyLength) {
    // Whole copies of the key data, one after the other: the text cipher re-keys for every
    // dictionary record, and a division per byte would cost more than the copies.
    for (std::size_t i = 0; i < keyLength; i += keyDataLength) {
        std::copy_n(keyData, std::min(keyDataLength, keyLength - i), out + i);
    }
}

void CCipherMethod::CheckInitialized() const {
    if (!m_initialized) {
        throw std::runtime_error("FileCrypt ERROR: Encryption/Decryption Object not Initialized!");
    }
}

void CCipherMethod::CheckCount(std::size_t n) const {
    CheckInitialized();
    if (n == 0 || n % static_cast<std::size_t>(m_blockSize) != 0) {
        throw std::runtime_error("Illegal Block Size!");
    }
}

bool CCipherMethod::StoreSetUp(const unsigned char* keyData, std::size_t keyDataLength,
                               const unsigned char* initialChain, int operationMode,
                               int paddingMode) {
    // On the stack: the text cipher re-keys once per dictionary record.
    std::array<unsigned char, kMaxFixedKeyLength> key;
    const std::size_t length = m_key.size();
    StretchKey(keyData, keyDataLength, key.data(), length);
    m_operationMode = operationMode;
    m_paddingMode = paddingMode;
    std::copy_n(initialChain, m_initialChain.size(), m_initialChain.begin());
    std::copy(m_initialChain.begin(), m_initialChain.end(), m_chain.begin());
    if (m_initialized && std::equal(key.begin(), key.begin() + length, m_key.begin())) {
        return false;
    }
    std::copy_n(key.begin(), length, m_key.begin());
    return true;
}

void CCipherMethod::CopyInitialChain() {
    CheckInitialized();
    std::copy(m_initialChain.begin(), m_initialChain.end(), m_chain.begin());
}

void CCipherMethod::XorBlock(unsigned char* target, const unsigned char* source) const {
    CheckInitialized();
    // A method without blocks (block size -1) has no bytes to combine.
    if (m_blockSize > 0) XorBytes(target, source, static_cast<std::size_t>(m_blockSize));
}

std::size_t CCipherMethod::Pad(unsigned char* buffer, std::size_t n) const {
    CheckInitialized();
    // A method without blocks (block size -1) enciphers any count as it is.
    if (m_blockSize < 1) return n;
    const auto b = static_cast<std::size_t>(m_blockSize);
    if (n % b == 0) {
        return n;
    }
    const std::size_t p = b - n % b;
    unsigned char fill = 0;
    if (m_paddingMode == kPadSpaces) {
        fill = ' ';
    } else if (m_paddingMode == kPadCount) {
        fill = static_cast<unsigned char>(p);
    }
    std::fill_n(buffer + n, p, fill);
    return n + p;
}

void CCipherMethod::DigestSignature(std::string_view name, std::initializer_list<int> numbers,
                                    unsigned char out[32]) const {
    std::string text(name);
    text.append(m_key.begin(), m_key.end());
    for (int number : numbers) {
        text += std::to_string(number);
    }
    if (const std::size_t zero = text.find('\0'); zero != std::string::npos) {
        text.resize(zero);
    }
    CSHA sha;
    sha.AddData(reinterpret_cast<const unsigned char*>(text.data()), text.size());
    sha.FinalDigest(out);
}
