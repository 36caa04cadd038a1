// The XOR256 methods on 64 KiB, one call each: XOR256BLOCK in ECB and CBC mode with the set-up
// the method set uses (block size 16, 4 external and 4 internal rounds), and XOR256STREAM
// with 4 rounds.
#include <array>
#include <cstddef>

#include "cipher_workload.h"
#include "crypto/xor256_block.h"
#include "crypto/xor256_stream.h"

namespace {

constexpr unsigned char kKey[] = "bench-key-0123456789";
constexpr std::size_t kKeyDataLength = sizeof(kKey) - 1;

void RunBlock(benchmark::State& state, int mode, bool encrypt) {
    static constexpr std::array<unsigned char, 16> kChain{};
    XOR256BLOCK block;
    block.SetKey(kKey, kKeyDataLength, kChain.data(), 16, 4, 4, mode, CCipherMethod::kPadZeros);
    RunMethod(state, block, encrypt);
}

void RunStream(benchmark::State& state, bool encrypt) {
    XOR256STREAM stream;
    stream.SetKey(kKey, kKeyDataLength, 4);
    RunMethod(state, stream, encrypt);
}

void BM_Xor256Block_EcbEncrypt(benchmark::State& state) {
    RunBlock(state, CCipherMethod::kEcb, true);
}
void BM_Xor256Block_EcbDecrypt(benchmark::State& state) {
    RunBlock(state, CCipherMethod::kEcb, false);
}
void BM_Xor256Block_CbcEncrypt(benchmark::State& state) {
    RunBlock(state, CCipherMethod::kCbc, true);
}
void BM_Xor256Block_CbcDecrypt(benchmark::State& state) {
    RunBlock(state, CCipherMethod::kCbc, false);
}
void BM_Xor256Stream_Encrypt(benchmark::State& state) {
    RunStream(state, true);
}
void BM_Xor256Stream_Decrypt(benchmark::State& state) {
    RunStream(state, false);
}
BENCHMARK(BM_Xor256Block_EcbEncrypt);
BENCHMARK(BM_Xor256Block_EcbDecrypt);
BENCHMARK(BM_Xor256Block_CbcEncrypt);
BENCHMARK(BM_Xor256Block_CbcDecrypt);
BENCHMARK(BM_Xor256Stream_Encrypt);
BENCHMARK(BM_Xor256Stream_Decrypt);

}  // namespace
