// The cipher method set: creates, keys and hands out an instance of a cipher method chosen by
// number, and deciphers the program's stored hexadecimal texts with TextCipher.
#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

#include "crypto/cipher_method.h"

class CCipherMethodSet {
public:
    // Method numbers. Only kTea is built; the others are rejected until their methods exist.
    static constexpr int kRijndael = 0;
    static constexpr int kXor256Stream = 1;
    static constexpr int kTea = 2;
    static constexpr int kXor256Block = 3;
    static constexpr int kBlowfish = 4;

    // In hex mode, key texts are decoded as hexadecimal and TextCipher returns the
    // hexadecimal form of all deciphered bytes. The program's set is not in hex mode.
    explicit CCipherMethodSet(bool hexMode = false);
    ~CCipherMethodSet();
    CCipherMethodSet(const CCipherMethodSet&) = delete;
    CCipherMethodSet& operator=(const CCipherMethodSet&) = delete;

    // Takes the set's lock, which Select needs and TextCipher takes itself.
    [[nodiscard]] std::unique_lock<std::mutex> Lock();

    // Returns the method's instance, created on first use and owned by the set, keyed with
    // the key text, an all-zero initial chain, ECB mode and zero padding. For kTea the key is
    // the first 16 bytes of the key text, zero-filled when shorter; in hex mode the key text
    // is decoded instead, stopping at its end, at 16 bytes or at the first character that is
    // not a digit 0-9/A-F, the rest of the key staying zero.
    // REQUIRES: the caller holds the lock from Lock().
    // Throws std::runtime_error("FileCrypt ERROR: Illegal Method Number!") for a method that
    // is not built or a number outside 0-4.
    CCipherMethod* Select(int method, std::string_view keyText);

    // Deciphers a stored text: the first n = hexText.size() / 2 bytes of the hexadecimal
    // text (an odd last character is ignored) are deciphered in ECB mode under the key of
    // Select, and the result is the plain bytes up to the first zero byte (in hex mode: the
    // hexadecimal form of all n deciphered bytes). Holds the set's lock for the whole call,
    // so threads may call it at once.
    // Throws std::runtime_error: "FileCrypt ERROR: Illegal Method Number!" as Select,
    // "Illegal Hexadecimal Text!" when one of the first 2n characters is not a digit 0-9 or
    // A-F (lowercase is refused), "Illegal Block Size!" when n is 0 or not a multiple of 8.
    std::string TextCipher(int method, std::string_view keyText, std::string_view hexText);

private:
    // The instance slots, in the order the set keeps them (and destroys them in reverse).
    enum Slot : std::size_t {
        kSlotRijndael,
        kSlotBlowfish,
        kSlotTea,
        kSlotXor256Block,
        kSlotXor256Stream,
        kSlotCount
    };

    void FillKey(std::string_view keyText, unsigned char* key, std::size_t size) const;

    const bool m_hexMode;
    std::array<std::unique_ptr<CCipherMethod>, kSlotCount> m_methods;
    std::mutex m_mutex;
};

// Copies the key text's bytes into key[0..size-1] as they are (not decoded), stopping at the
// text's end or after size bytes, and fills the rest with zero bytes.
void CopyKeyText(std::string_view keyText, unsigned char* key, std::size_t size);

// The program's one cipher method set, created on first use and destroyed at exit.
CCipherMethodSet& TheCipherMethodSet();
