// The workload that every cipher benchmark shares: 64 KiB through one Encrypt or Decrypt call
// per iteration, for one of our methods or for a cipher of the system's libcrypto.
#pragma once

#include <benchmark/benchmark.h>

#include <cstddef>

#include "crypto/cipher_method.h"

constexpr std::size_t kWorkloadSize = 64 * 1024;

// Enciphers (or deciphers) the workload with a keyed method, restarting its chain each time.
void RunMethod(benchmark::State& state, CCipherMethod& method, bool encrypt);

// The same with libcrypto's cipher of that name ("AES-128-CBC", "BF-ECB", ...), keyed with
// keyLength bytes of key and an all-zero initial chain, without padding. Reports an error
// instead when libcrypto lacks the cipher.
void RunLibcrypto(benchmark::State& state, const char* name, const unsigned char* key,
                  int keyLength, bool encrypt);
