// SHA-256 of 64 KiB: the library's CSHA beside the digest of the system's libcrypto (EVP
// interface). The libcrypto figure depends on the processor features it may use; the
// OPENSSL_ia32cap environment variable masks them for a like-for-like comparison.
#include <benchmark/benchmark.h>
#include <openssl/evp.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <random>
#include <vector>

#include "crypto/sha.h"

namespace {

constexpr std::size_t kMessageSize = 64 * 1024;

const std::vector<unsigned char>& Message() {
    static const std::vector<unsigned char> message = [] {
        std::vector<unsigned char> bytes(kMessageSize);
        std::mt19937 random(64);
        for (unsigned char& byte : bytes) byte = static_cast<unsigned char>(random());
        return bytes;
    }();
    return message;
}

using Digest = std::array<unsigned char, CSHA::kDigestSize>;

Digest CshaDigest(const std::vector<unsigned char>& message) {
    CSHA sha;
    sha.AddData(message.data(), message.size());
    Digest digest;
    sha.FinalDigest(digest.data());
    return digest;
}

bool LibcryptoDigest(const std::vector<unsigned char>& message, Digest& digest) {
    unsigned int length = 0;
    return EVP_Digest(message.data(), message.size(), digest.data(), &length, EVP_sha256(),
                      nullptr) == 1 &&
           length == digest.size();
}

void BM_Sha256_Csha(benchmark::State& state) {
    const std::vector<unsigned char>& message = Message();
    for (auto _ : state) {
        Digest digest = CshaDigest(message);
        benchmark::DoNotOptimize(digest);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * message.size()));
}
BENCHMARK(BM_Sha256_Csha);

void BM_Sha256_Libcrypto(benchmark::State& state) {
    const std::vector<unsigned char>& message = Message();
    Digest digest;
    if (!LibcryptoDigest(message, digest) || digest != CshaDigest(message)) {
        state.SkipWithError("the two digests differ");
        return;
    }
    for (auto _ : state) {
        LibcryptoDigest(message, digest);
        benchmark::DoNotOptimize(digest);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * message.size()));
}
BENCHMARK(BM_Sha256_Libcrypto);

}  // namespace
