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
    // Method numbers.
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

    // Returns the method's instance, created on first use and owned by the set, keyed with a
    // key buffer made from the key text, an all-zero initial chain and the method's set-up:
    //   kRijndael      32-byte buffer; key length 16, block size 16 (AES-128 keyed with the
    //                  buffer's first 16 bytes)
    //   kXor256Stream  256-byte buffer; 4 rounds (operation and padding mode have no effect)
    //   kTea           16-byte buffer
    //   kXor256Block   256-byte buffer; block size 16, 4 external and 4 internal rounds
    //   kBlowfish      56-byte buffer
    // each in the given operation and padding mode (ECB and zero padding unless told). The
    // buffer holds the key text's bytes, cut at the buffer's size and zero-filled; in hex mode
    // the key text is decoded instead, stopping at its end, at the buffer's size or at the
    // first character that is not a digit 0-9/A-F, the rest of the buffer staying zero.
    // REQUIRES: the caller holds the lock from Lock().
    // Throws std::runtime_error("FileCrypt ERROR: Illegal Method Number!") for a number
    // outside 0-4, and the method's SetKey errors for a mode outside 0-2.
    CCipherMethod* Select(int method, std::string_view keyText,
                          int operationMode = CCipherMethod::kEcb,
                          int paddingMode = CCipherMethod::kPadZeros);

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
    // The instance in slot, created as a Method when the slot is empty.
    template <class Method>
    Method& Instance(Slot slot);

    const bool m_hexMode;
    std::array<std::unique_ptr<CCipherMethod>, kSlotCount> m_methods;
    std::mutex m_mutex;
};

// Copies the key text's bytes into key[0..size-1] as they are (not decoded), stopping at the
// text's end or after size bytes, and fills the rest with zero bytes.
void CopyKeyText(std::string_view keyText, unsigned char* key, std::size_t size);

// The program's one cipher method set, created on first use and destroyed at exit.
CCipherMethodSet& TheCipherMethodSet();
