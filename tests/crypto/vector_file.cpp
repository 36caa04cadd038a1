#include "vector_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <stdexcept>

std::vector<VectorRecord> ReadVectorFile(const std::string& name) {
    std::ifstream file(std::string(GDICT_TEST_DATA_DIR) + "/" + name);
    if (!file) {
        ADD_FAILURE() << "cannot read " << name;
        return {};
    }
    std::vector<VectorRecord> records(1);
    std::string line;
    while (std::getline(file, line)) {
        if (line.empty()) {
            if (!records.back().empty()) {
                records.emplace_back();
            }
            continue;
        }
        const std::size_t equals = line.find(" = ");
        if (line.front() == '#' || equals == std::string::npos) {
            continue;
        }
        records.back()[line.substr(0, equals)] = line.substr(equals + 3);
    }
    if (records.back().empty()) {
        records.pop_back();
    }
    return records;
}

Bytes FromHex(std::string_view hex) {
    Bytes bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
        bytes.push_back(
            static_cast<unsigned char>(std::stoul(std::string(hex.substr(i, 2)), nullptr, 16)));
    }
    return bytes;
}

Bytes ToBytes(std::string_view text) {
    return Bytes(text.begin(), text.end());
}

Bytes Encrypted(CCipherMethod& method, const Bytes& bytes) {
    Bytes out(bytes.size());
    method.Encrypt(bytes.data(), out.data(), bytes.size());
    return out;
}

Bytes Decrypted(CCipherMethod& method, const Bytes& bytes) {
    Bytes out(bytes.size());
    method.Decrypt(bytes.data(), out.data(), bytes.size());
    return out;
}

Bytes Xored(Bytes a, const Bytes& b) {
    for (std::size_t i = 0; i < a.size(); ++i) a[i] ^= b[i];
    return a;
}

void ExpectCountsRefused(CCipherMethod& method, std::initializer_list<std::size_t> counts) {
    const Bytes in(64, 0x5A);
    Bytes out(64, 0xAA);
    for (const std::size_t n : counts) {
        SCOPED_TRACE(n);
        EXPECT_THAT(
            [&] { method.Encrypt(in.data(), out.data(), n); },
            testing::ThrowsMessage<std::runtime_error>(testing::StrEq("Illegal Block Size!")));
        EXPECT_THAT(
            [&] { method.Decrypt(in.data(), out.data(), n); },
            testing::ThrowsMessage<std::runtime_error>(testing::StrEq("Illegal Block Size!")));
    }
    EXPECT_EQ(out, Bytes(64, 0xAA));
}
