// The RC4 key-stream generator that the XOR256 cipher methods draw their key material from:
// the RC4 key schedule over a 256-byte state and the RC4 output step. The state right after
// the key schedule is kept, so the stream can be restarted from its first byte.
#pragma once

#include <array>
#include <cstddef>
#include <exception>

// What KeyStream throws: a plain exception (not std::runtime_error) whose what() is one of
// "Key Length should be at least 1" and "PRNG Not Initialized".
class KeyStreamError : public std::exception {
public:
    // REQUIRES: message is a string with static storage duration.
    explicit KeyStreamError(const char* message) noexcept : m_message(message) {}
    const char* what() const noexcept override { return m_message; }

private:
    const char* m_message;
};

class KeyStream {
public:
    // An uninitialized stream: SetKey must succeed before it gives bytes.
    KeyStream() = default;

    // Runs the RC4 key schedule over key[0..keyLength-1] (used cyclically), keeps the
    // resulting state for Restart and starts the stream at its first byte.
    // REQUIRES: key points to keyLength bytes.
    // Throws KeyStreamError("Key Length should be at least 1") for a keyLength of 0; the
    // stream is left as it was then.
    void SetKey(const unsigned char* key, std::size_t keyLength);

    // Starts the stream again at the first byte after the key schedule.
    // Throws KeyStreamError("PRNG Not Initialized") before a successful SetKey.
    void Restart();

    // The next key-stream byte (the RC4 output step).
    // Throws KeyStreamError("PRNG Not Initialized") before a successful SetKey.
    unsigned char NextByte() {
        if (!m_initialized) {
            ThrowNotInitialized();
        }
        m_i = static_cast<unsigned char>(m_i + 1);
        const unsigned char si = m_state[m_i];
        m_j = static_cast<unsigned char>(m_j + si);
        const unsigned char sj = m_state[m_j];
        m_state[m_i] = sj;
        m_state[m_j] = si;
        return m_state[static_cast<unsigned char>(si + sj)];
    }

private:
    [[noreturn]] static void ThrowNotInitialized();

    std::array<unsigned char, 256> m_state{};
    std::array<unsigned char, 256> m_savedState{};
    unsigned char m_i = 0;
    unsigned char m_j = 0;
    bool m_initialized = false;
};
