// The RIJNDAEL method enciphering and deciphering 64 KiB in ECB and CBC mode, one call each, with
// 16-byte blocks and 16-, 24- and 32-byte keys (AES-128, AES-192, AES-256), beside the system
// libcrypto's AES-128 (AES-128-ECB, AES-128-CBC through its cipher interface) on the same buffer.
// BM_Rijndael_Aes128X and BM_Libcrypto_Aes128X form the pairs to compare; libcrypto picks its
// own code path by processor features, which its environment settings can mask.
#include <benchmark/benchmark.h>
#include <openssl/evp.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "crypto/rijndael.h"

namespace {

constexpr std::size_t kDataSize = 64 * 1024;
constexpr unsigned char kKey[] = "bench-key-0123456789-bench-key-0";
constexpr std::array<unsigned char, 32> kChain{};

void RunRijndael(benchmark::State& state, int keyLength, int blockSize, int mode, bool encrypt) {
    RIJNDAEL rijndael;
    rijndael.SetKey(kKey, static_cast<std::size_t>(keyLength), kChain.data(), keyLength, blockSize,
                    mode, CCipherMethod::kPadZeros);
    std::vector<unsigned char> in(kDataSize, 0x5A);
    std::vector<unsigned char> out(kDataSize);
    for (auto _ : state) {
        rijndael.ResetChain();
        if (encrypt) {
            rijndael.Encrypt(in.data(), out.data(), in.size());
        } else {
            rijndael.Decrypt(in.data(), out.data(), in.size());
        }
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kDataSize));
}

struct CipherFree {
    void operator()(EVP_CIPHER* cipher) const { EVP_CIPHER_free(cipher); }
};
struct ContextFree {
    void operator()(EVP_CIPHER_CTX* context) const { EVP_CIPHER_CTX_free(context); }
};

void RunLibcrypto(benchmark::State& state, const char* name, bool encrypt) {
    std::unique_ptr<EVP_CIPHER, CipherFree> cipher(EVP_CIPHER_fetch(nullptr, name, nullptr));
    std::unique_ptr<EVP_CIPHER_CTX, ContextFree> context(EVP_CIPHER_CTX_new());
    const std::array<unsigned char, 16> iv{};
    if (cipher == nullptr || context == nullptr ||
        EVP_CipherInit_ex(context.get(), cipher.get(), nullptr, kKey, iv.data(), encrypt) != 1 ||
        EVP_CIPHER_CTX_set_padding(context.get(), 0) != 1) {
        state.SkipWithError("libcrypto AES set-up failed");
        return;
    }
    std::vector<unsigned char> in(kDataSize, 0x5A);
    std::vector<unsigned char> out(kDataSize);
    for (auto _ : state) {
        EVP_CipherInit_ex(context.get(), nullptr, nullptr, nullptr, iv.data(), encrypt);
        int written = 0;
        EVP_CipherUpdate(context.get(), out.data(), &written, in.data(),
                         static_cast<int>(in.size()));
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kDataSize));
}

void BM_Rijndael_Aes128EcbEncrypt(benchmark::State& state) {
    RunRijndael(state, 16, 16, CCipherMethod::kEcb, true);
}
void BM_Libcrypto_Aes128EcbEncrypt(benchmark::State& state) {
    RunLibcrypto(state, "AES-128-ECB", true);
}
void BM_Rijndael_Aes128EcbDecrypt(benchmark::State& state) {
    RunRijndael(state, 16, 16, CCipherMethod::kEcb, false);
}
void BM_Libcrypto_Aes128EcbDecrypt(benchmark::State& state) {
    RunLibcrypto(state, "AES-128-ECB", false);
}
void BM_Rijndael_Aes128CbcEncrypt(benchmark::State& state) {
    RunRijndael(state, 16, 16, CCipherMethod::kCbc, true);
}
void BM_Libcrypto_Aes128CbcEncrypt(benchmark::State& state) {
    RunLibcrypto(state, "AES-128-CBC", true);
}
void BM_Rijndael_Aes128CbcDecrypt(benchmark::State& state) {
    RunRijndael(state, 16, 16, CCipherMethod::kCbc, false);
}
void BM_Libcrypto_Aes128CbcDecrypt(benchmark::State& state) {
    RunLibcrypto(state, "AES-128-CBC", false);
}
void BM_Rijndael_Aes192EcbEncrypt(benchmark::State& state) {
    RunRijndael(state, 24, 16, CCipherMethod::kEcb, true);
}
void BM_Rijndael_Aes192CbcEncrypt(benchmark::State& state) {
    RunRijndael(state, 24, 16, CCipherMethod::kCbc, true);
}
void BM_Rijndael_Aes256EcbEncrypt(benchmark::State& state) {
    RunRijndael(state, 32, 16, CCipherMethod::kEcb, true);
}
void BM_Rijndael_Aes256CbcEncrypt(benchmark::State& state) {
    RunRijndael(state, 32, 16, CCipherMethod::kCbc, true);
}
// The general rounds, for comparison with the unrolled 16-byte path: 32-byte blocks and keys.
void BM_Rijndael_Block32EcbEncrypt(benchmark::State& state) {
    RunRijndael(state, 32, 32, CCipherMethod::kEcb, true);
}
BENCHMARK(BM_Rijndael_Aes128EcbEncrypt);
BENCHMARK(BM_Libcrypto_Aes128EcbEncrypt);
BENCHMARK(BM_Rijndael_Aes128EcbDecrypt);
BENCHMARK(BM_Libcrypto_Aes128EcbDecrypt);
BENCHMARK(BM_Rijndael_Aes128CbcEncrypt);
BENCHMARK(BM_Libcrypto_Aes128CbcEncrypt);
BENCHMARK(BM_Rijndael_Aes128CbcDecrypt);
BENCHMARK(BM_Libcrypto_Aes128CbcDecrypt);
BENCHMARK(BM_Rijndael_Aes192EcbEncrypt);
BENCHMARK(BM_Rijndael_Aes192CbcEncrypt);
BENCHMARK(BM_Rijndael_Aes256EcbEncrypt);
BENCHMARK(BM_Rijndael_Aes256CbcEncrypt);
BENCHMARK(BM_Rijndael_Block32EcbEncrypt);

}  // namespace
