#include "cipher_workload.h"

#include <openssl/evp.h>
#include <openssl/provider.h>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace {

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

// Blowfish lives in libcrypto's legacy provider; the default one stays loaded beside it.
bool LoadProviders() {
    static const Provider legacy(OSSL_PROVIDER_load(nullptr, "legacy"));
    static const Provider standard(OSSL_PROVIDER_load(nullptr, "default"));
    return legacy != nullptr && standard != nullptr;
}

}  // namespace

void RunMethod(benchmark::State& state, CCipherMethod& method, bool encrypt) {
    std::vector<unsigned char> in(kWorkloadSize, 0x5A);
    std::vector<unsigned char> out(kWorkloadSize);
    for (auto _ : state) {
        method.ResetChain();
        if (encrypt) {
            method.Encrypt(in.data(), out.data(), in.size());
        } else {
            method.Decrypt(in.data(), out.data(), in.size());
        }
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kWorkloadSize));
}

void RunLibcrypto(benchmark::State& state, const char* name, const unsigned char* key,
                  int keyLength, bool encrypt) {
    const std::unique_ptr<EVP_CIPHER, CipherFree> cipher(
        LoadProviders() ? EVP_CIPHER_fetch(nullptr, name, nullptr) : nullptr);
    const std::unique_ptr<EVP_CIPHER_CTX, ContextFree> context(EVP_CIPHER_CTX_new());
    const std::array<unsigned char, 16> chain{};
    if (cipher == nullptr || context == nullptr ||
        EVP_CipherInit_ex(context.get(), cipher.get(), nullptr, nullptr, nullptr, encrypt) != 1 ||
        EVP_CIPHER_CTX_set_key_length(context.get(), keyLength) != 1 ||
        EVP_CipherInit_ex(context.get(), nullptr, nullptr, key, chain.data(), encrypt) != 1 ||
        EVP_CIPHER_CTX_set_padding(context.get(), 0) != 1) {
        state.SkipWithError("libcrypto has no usable cipher of that name");
        return;
    }
    std::vector<unsigned char> in(kWorkloadSize, 0x5A);
    std::vector<unsigned char> out(kWorkloadSize);
    for (auto _ : state) {
        EVP_CipherInit_ex(context.get(), nullptr, nullptr, nullptr, chain.data(), encrypt);
        int written = 0;
        EVP_CipherUpdate(context.get(), out.data(), &written, in.data(),
                         static_cast<int>(in.size()));
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kWorkloadSize));
}
