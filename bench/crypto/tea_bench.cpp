// The TEA method enciphering and deciphering 64 KiB in ECB and CBC mode, one call each.
#include <array>

#include "cipher_workload.h"
#include "crypto/tea.h"

namespace {

void RunTea(benchmark::State& state, int mode, bool encrypt) {
    static constexpr unsigned char kKey[] = "bench-key-012345";
    static constexpr std::array<unsigned char, TEA::kBlockSize> kChain{};
    TEA tea;
    tea.SetKey(kKey, TEA::kKeyLength, kChain.data(), mode, CCipherMethod::kPadZeros);
    RunMethod(state, tea, encrypt);
}

void BM_Tea_EcbEncrypt(benchmark::State& state) {
    RunTea(state, CCipherMethod::kEcb, true);
}
void BM_Tea_EcbDecrypt(benchmark::State& state) {
    RunTea(state, CCipherMethod::kEcb, false);
}
void BM_Tea_CbcEncrypt(benchmark::State& state) {
    RunTea(state, CCipherMethod::kCbc, true);
}
void BM_Tea_CbcDecrypt(benchmark::State& state) {
    RunTea(state, CCipherMethod::kCbc, false);
}
BENCHMARK(BM_Tea_EcbEncrypt);
BENCHMARK(BM_Tea_EcbDecrypt);
BENCHMARK(BM_Tea_CbcEncrypt);
BENCHMARK(BM_Tea_CbcDecrypt);

}  // namespace
