// The BLOWFISH method in ECB and CBC mode beside libcrypto's Blowfish (BF-ECB, BF-CBC), both
// with a 56-byte key.
#include <array>

#include "cipher_workload.h"
#include "crypto/blowfish.h"

namespace {

constexpr unsigned char kKey[] = "bench-key-0123456789-bench-key-0123456789-bench-key-0123";

void RunBlowfish(benchmark::State& state, int mode, bool encrypt) {
    static constexpr std::array<unsigned char, BLOWFISH::kBlockSize> kChain{};
    BLOWFISH blowfish;
    blowfish.SetKey(kKey, BLOWFISH::kKeyLength, kChain.data(), mode, CCipherMethod::kPadZeros);
    RunMethod(state, blowfish, encrypt);
}

void BM_Blowfish_EcbEncrypt(benchmark::State& state) {
    RunBlowfish(state, CCipherMethod::kEcb, true);
}
void BM_Libcrypto_BfEcbEncrypt(benchmark::State& state) {
    RunLibcrypto(state, "BF-ECB", kKey, BLOWFISH::kKeyLength, true);
}
void BM_Blowfish_EcbDecrypt(benchmark::State& state) {
    RunBlowfish(state, CCipherMethod::kEcb, false);
}
void BM_Libcrypto_BfEcbDecrypt(benchmark::State& state) {
    RunLibcrypto(state, "BF-ECB", kKey, BLOWFISH::kKeyLength, false);
}
void BM_Blowfish_CbcEncrypt(benchmark::State& state) {
    RunBlowfish(state, CCipherMethod::kCbc, true);
}
void BM_Libcrypto_BfCbcEncrypt(benchmark::State& state) {
    RunLibcrypto(state, "BF-CBC", kKey, BLOWFISH::kKeyLength, true);
}
void BM_Blowfish_CbcDecrypt(benchmark::State& state) {
    RunBlowfish(state, CCipherMethod::kCbc, false);
}
void BM_Libcrypto_BfCbcDecrypt(benchmark::State& state) {
    RunLibcrypto(state, "BF-CBC", kKey, BLOWFISH::kKeyLength, false);
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
