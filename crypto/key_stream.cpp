#include "crypto/key_stream.h"

#include <utility>

void KeyStream::SetKey(const unsigned char* key, std::size_t keyLength) {
    if (keyLength == 0) {
        throw KeyStreamError("Key Length should be at least 1");
    }
    for (std::size_t x = 0; x < m_state.size(); ++x) {
        m_state[x] = static_cast<unsigned char>(x);
    }
    unsigned char j = 0;
    for (std::size_t i = 0; i < m_state.size(); ++i) {
        j = static_cast<unsigned char>(j + m_state[i] + key[i % keyLength]);
        std::swap(m_state[i], m_state[j]);
    }
    m_savedState = m_state;
    m_i = 0;
    m_j = 0;
    m_initialized = true;
}

void KeyStream::Restart() {
    if (!m_initialized) {
        ThrowNotInitialized();
    }
    m_state = m_savedState;
    m_i = 0;
    m_j = 0;
}

void KeyStream::ThrowNotInitialized() {
    throw KeyStreamError("PRNG Not Initialized");
}
