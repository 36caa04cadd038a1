#include "crypto/sha.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

#include "vector_file.h"

namespace {

using testing::StrEq;
using testing::ThrowsMessage;

struct ShaVector {
    std::string message;
    Bytes digest;
};

std::vector<ShaVector> ShaVectors() {
    std::vector<ShaVector> vectors;
    for (const VectorRecord& record : ReadVectorFile("sha256.vec")) {
        std::string message;
        for (int i = std::stoi(record.at("Repeat")); i > 0; --i) {
            message += record.at("Text");
        }
        vectors.push_back({message, FromHex(record.at("Digest"))});
    }
    return vectors;
}

const unsigned char* Data(const std::string& text) {
    return reinterpret_cast<const unsigned char*>(text.data());
}

Bytes Digest(CSHA& sha) {
    Bytes digest(CSHA::kDigestSize);
    sha.FinalDigest(digest.data());
    return digest;
}

TEST(ShaDigest, MatchesPublishedVectorsFedAtOnce) {
    const std::vector<ShaVector> vectors = ShaVectors();
    ASSERT_GE(vectors.size(), 6u);
    CSHA sha;
    for (const ShaVector& vector : vectors) {
        SCOPED_TRACE(vector.message.size());
        sha.AddData(Data(vector.message), vector.message.size());
        EXPECT_EQ(Digest(sha), vector.digest);
    }
}

TEST(ShaDigest, FeedingInPiecesGivesTheSameDigest) {
    CSHA sha;
    for (const ShaVector& vector : ShaVectors()) {
        SCOPED_TRACE(vector.message.size());
        const std::size_t pieces[] = {1, 63, 64};
        std::size_t done = 0;
        for (std::size_t i = 0; done < vector.message.size(); ++i) {
            const std::size_t length = std::min(pieces[i % 3], vector.message.size() - done);
            sha.AddData(Data(vector.message) + done, length);
            done += length;
        }
        EXPECT_EQ(Digest(sha), vector.digest);
    }
}

TEST(ShaDigest, RefusesEmptyMessagesAndStaysUsable) {
    CSHA sha;
    Bytes digest(CSHA::kDigestSize);
    const std::string abc = "abc";
    EXPECT_THAT([&] { sha.FinalDigest(digest.data()); },
                ThrowsMessage<std::runtime_error>(
                    StrEq("FileCrypt ERROR: in CSHA::FinalDigest(), No data Added before call!")));
    EXPECT_THAT([&] { sha.AddData(Data(abc), 0); },
                ThrowsMessage<std::runtime_error>(
                    StrEq("FileCrypt ERROR: in CSHA::AddData(), Data Length should be > 0!")));

    sha.AddData(Data(abc), abc.size());
    const Bytes first = Digest(sha);
    EXPECT_THAT([&] { sha.FinalDigest(digest.data()); },
                ThrowsMessage<std::runtime_error>(
                    StrEq("FileCrypt ERROR: in CSHA::FinalDigest(), No data Added before call!")));
    sha.AddData(Data(abc), abc.size());
    EXPECT_EQ(Digest(sha), first);
    EXPECT_EQ(first, ShaVectors().front().digest);
}

}  // namespace
