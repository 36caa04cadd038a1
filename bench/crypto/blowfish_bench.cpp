// The BLOWFISH method enciphering and deciphering 64 KiB in ECB and CBC mode, one call each,
// beside the system libcrypto's Blowfish (BF-ECB, BF-CBC through its cipher interface, from
// its legacy provider) on the same buffer with a 56-byte key.
#include <benchmark/benchmark.h>
#include <openssl/evp.h>
#include <openssl/provider.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "crypto/blowfish.h"

namespace {

constexpr std::size_t kDataSize = 64 * 1024;
constexpr unsigned char kKey[] = "bench-key-0123456789-bench-key-0123456789-bench-key-0123";

void RunBlowfish(benchmark::State& state, int mode, bool encrypt) {
    static constexpr std::array<unsigned char, BLOWFISH::kBlockSize> kChain{};
    BLOWFISH blowfish;
    blowfish.SetKey(kKey, BLOWFISH::kKeyLength, kChain.data(), mode, CCipherMethod::kPadZeros);
    std::vector<unsigned char> in(kDataSize, 0x5A);
    std::vector<unsigned char> out(kDataSize);
    for (auto _ : state) {
        if (encrypt) {
            blowfish.Encrypt(in.data(), out.data(), in.size());
        } else {
            blowfish.Decrypt(in.data(), out.data(), in.size());
        }
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kDataSize));
}

struct ProviderUnload {
    void operator()(OSSL_PROVIDER* provider) const { OSSL_PROVIDER_unload(provider); }
};
struct CipherFree {
    void operator()(EVP_CIPHER* cipher) const { EVP_CIPHER_free(cipher); }
};
struct ContextFree {
    void operator()(EVP_CIPHER_CTX* context) const { EVP_CIPHER_CTX_free(context); }
};
using Provider = std::unique_ptr<OSSL_PROVIDER, ProviderUnload>;

// Blowfish lives in the legacy provider; the default one stays loaded beside it.
bool LoadProviders() {
    static const Provider legacy(OSSL_PROVIDER_load(nullptr, "legacy"));
    static const Provider standard(OSSL_PROVIDER_load(nullptr, "default"));
    return legacy != nullptr && standard != nullptr;
}

void RunLibcrypto(benchmark::State& state, const char* name, bool encrypt) {
    std::unique_ptr<EVP_CIPHER, CipherFree> cipher(
        LoadProviders() ? EVP_CIPHER_fetch(nullptr, name, nullptr) : nullptr);
    std::unique_ptr<EVP_CIPHER_CTX, ContextFree> context(EVP_CIPHER_CTX_new());
    if (cipher == nullptr || context == nullptr) {
        state.SkipWithError("libcrypto Blowfish is not available");
        return;
    }
    const std::array<unsigned char, 8> iv{};
    if (EVP_CipherInit_ex(context.get(), cipher.get(), nullptr, nullptr, nullptr, encrypt) != 1 ||
        EVP_CIPHER_CTX_set_key_length(context.get(), BLOWFISH::kKeyLength) != 1 ||
        EVP_CipherInit_ex(context.get(), nullptr, nullptr, kKey, iv.data(), encrypt) != 1 ||
        EVP_CIPHER_CTX_set_padding(context.get(), 0) != 1) {
        state.SkipWithError("libcrypto Blowfish set-up failed");
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

void BM_Blowfish_EcbEncrypt(benchmark::State& state) {
    RunBlowfish(state, CCipherMethod::kEcb, true);
}
void BM_Blowfish_EcbDecrypt(benchmark::State& state) {
    RunBlowfish(state, CCipherMethod::kEcb, false);
}
void BM_Blowfish_CbcEncrypt(benchmark::State& state) {
    RunBlowfish(state, CCipherMethod::kCbc, true);
}
void BM_Blowfish_CbcDecrypt(benchmark::State& state) {
    RunBlowfish(state, CCipherMethod::kCbc, false);
}
void BM_Libcrypto_BfEcbEncrypt(benchmark::State& state) {
    RunLibcrypto(state, "BF-ECB", true);
}
void BM_Libcrypto_BfEcbDecrypt(benchmark::State& state) {
    RunLibcrypto(state, "BF-ECB", false);
}
void BM_Libcrypto_BfCbcEncrypt(benchmark::State& state) {
    RunLibcrypto(state, "BF-CBC", true);
}
void BM_Libcrypto_BfCbcDecrypt(benchmark::State& state) {
    RunLibcrypto(state, "BF-CBC", false);
}
BENCHMARK(BM_Blowfish_EcbEncrypt);
BENCHMARK(BM_Libcrypto_BfEcbEncrypt);
BENCHMARK(BM_Blowfish_EcbDecrypt);
BENCHMARK(BM_Libcrypto_BfEcbDecrypt);
BENCHMARK(BM_Blowfish_CbcEncrypt);
BENCHMARK(BM_Libcrypto_BfCbcEncrypt);
BENCHMARK(BM_Blowfish_CbcDecrypt);
BENCHMARK(BM_Libcrypto_BfCbcDecrypt);

}  // namespace
