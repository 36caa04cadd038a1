// The RIJNDAEL method enciphering and deciphering 64 KiB in ECB and CBC mode, one call each, with
// 16-byte blocks and 16-, 24- and 32-byte keys (AES-128, AES-192, AES-256), beside the system
// libcrypto's AES-128 (AES-128-ECB, AES-128-CBC through its cipher interface) on the same buffer.
// BM_Rijndael_Aes128X and BM_Libcrypto_Aes128X form the pairs to compare; libcrypto picks its
// own code path by processor features, which its environment settings can mask.
#include <array>
#include <cstddef>

#include "cipher_workload.h"
#include "crypto/rijndael.h"

namespace {

constexpr unsigned char kKey[] = "bench-key-0123456789-bench-key-0";
constexpr std::array<unsigned char, 32> kChain{};

void RunRijndael(benchmark::State& state, int keyLength, int blockSize, int mode, bool encrypt) {
    RIJNDAEL rijndael;
    rijndael.SetKey(kKey, static_cast<std::size_t>(keyLength), kChain.data(), keyLength, blockSize,
                    mode, CCipherMethod::kPadZeros);
    RunMethod(state, rijndael, encrypt);
}

void RunAes128(benchmark::State& state, const char* name, bool encrypt) {
    RunLibcrypto(state, name, kKey, 16, encrypt);
}

void BM_Rijndael_Aes128EcbEncrypt(benchmark::State& state) {
    RunRijndael(state, 16, 16, CCipherMethod::kEcb, true);
}
void BM_Libcrypto_Aes128EcbEncrypt(benchmark::State& state) {
    RunAes128(state, "AES-128-ECB", true);
}
void BM_Rijndael_Aes128EcbDecrypt(benchmark::State& state) {
    RunRijndael(state, 16, 16, CCipherMethod::kEcb, false);
}
void BM_Libcrypto_Aes128EcbDecrypt(benchmark::State& state) {
    RunAes128(state, "AES-128-ECB", false);
}
void BM_Rijndael_Aes128CbcEncrypt(benchmark::State& state) {
    RunRijndael(state, 16, 16, CCipherMethod::kCbc, true);
}
void BM_Libcrypto_Aes128CbcEncrypt(benchmark::State& state) {
    RunAes128(state, "AES-128-CBC", true);
}
void BM_Rijndael_Aes128CbcDecrypt(benchmark::State& state) {
    RunRijndael(state, 16, 16, CCipherMethod::kCbc, false);
}
void BM_Libcrypto_Aes128CbcDecrypt(benchmark::State& state) {
    RunAes128(state, "AES-128-CBC", false);
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
