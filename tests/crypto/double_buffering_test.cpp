#include "crypto/double_buffering.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <streambuf>
#include <string>
#include <vector>

namespace {

using testing::StrEq;
using testing::ThrowsMessage;

constexpr const char* kNotEven = "CDoubleBuffering: m_iSize should be Even Number!";
constexpr const char* kBadState = "CDoubleBuffering: Referenced File not Opened or in Bad State!";
constexpr const char* kIllegalConstruction = "CDoubleBuffering: Illegal Construction Data!";
constexpr const char* kIllegalLength = "CDoubleBuffering::GetData(): Illegal iDataLen!";

std::string Content(std::size_t size) {
    std::string content(size, '\0');
    std::mt19937 random(static_cast<unsigned>(size));
    for (char& c : content) c = static_cast<char>(random());
    return content;
}

// Drains a buffering of the given size over content with the default piece length and checks
// that every piece but the last is whole, the last is the remainder and 0 follows.
void ExpectDeliveredInOrder(const std::string& content, std::size_t size, std::size_t pieceLength) {
    SCOPED_TRACE("file " + std::to_string(content.size()) + ", buffer " + std::to_string(size) +
                 ", piece " + std::to_string(pieceLength));
    std::istringstream in(content);
    std::vector<unsigned char> buffer(size);
    CDoubleBuffering pieces(in, buffer.data(), size, pieceLength);
    std::vector<unsigned char> piece(pieceLength);
    std::string delivered;
    std::size_t n;
    while ((n = pieces.GetData(piece.data())) == pieceLength) {
        delivered.append(piece.begin(), piece.end());
    }
    ASSERT_LT(n, pieceLength);
    delivered.append(piece.begin(), piece.begin() + static_cast<std::ptrdiff_t>(n));
    ASSERT_EQ(delivered.size(), content.size());
    ASSERT_TRUE(delivered == content);
    // After a shorter last piece, and after the first 0, every call returns 0.
    EXPECT_EQ(pieces.GetData(piece.data()), 0u);
    EXPECT_EQ(pieces.GetData(piece.data()), 0u);
}

TEST(DoubleBufferingDelivery, EveryPieceLengthOfAFileBuffer) {
    std::vector<std::size_t> sizes = {0,   1,    7,    383,  384,  511,  512,  513,  767,
                                      768, 1000, 1023, 1024, 1025, 1536, 2047, 2048, 3000};
    std::mt19937 random(5);
    for (int i = 0; i < 12; ++i) sizes.push_back(random() % 3001);
    for (std::size_t size : sizes) {
        const std::string content = Content(size);
        for (std::size_t pieceLength = 1; pieceLength <= 512; ++pieceLength) {
            ExpectDeliveredInOrder(content, 1024, pieceLength);
            if (testing::Test::HasFatalFailure()) return;
        }
    }
}

TEST(DoubleBufferingDelivery, OtherEvenBufferSizes) {
    for (std::size_t size : {2u, 4u, 6u, 10u, 64u, 2048u}) {
        for (std::size_t fileSize : {0u, 1u, 5u, 63u, 64u, 65u, 1000u, 4097u}) {
            const std::string content = Content(fileSize);
            for (std::size_t pieceLength = 1; pieceLength <= size / 2; ++pieceLength) {
                ExpectDeliveredInOrder(content, size, pieceLength);
                if (testing::Test::HasFatalFailure()) return;
            }
        }
    }
}

TEST(DoubleBufferingDelivery, PiecesOfChangingLengthStayContiguous) {
    const std::string content = Content(2900);
    std::mt19937 random(11);
    for (int round = 0; round < 200; ++round) {
        std::istringstream in(content);
        std::vector<unsigned char> buffer(1024);
        CDoubleBuffering pieces(in, buffer.data(), buffer.size(), 100);
        std::vector<unsigned char> piece(512);
        std::string delivered;
        for (;;) {
            const long length = random() % 4 == 0 ? CDoubleBuffering::kDefaultLength
                                                  : static_cast<long>(1 + random() % 512);
            const std::size_t wanted =
                length == CDoubleBuffering::kDefaultLength ? 100 : static_cast<std::size_t>(length);
            const std::size_t n = pieces.GetData(piece.data(), length);
            delivered.append(piece.begin(), piece.begin() + static_cast<std::ptrdiff_t>(n));
            if (n < wanted) break;
        }
        ASSERT_TRUE(delivered == content) << "round " << round;
    }
}

TEST(DoubleBufferingDelivery, ReadsAFileStream) {
    const std::string path = testing::TempDir() + "double_buffering_input";
    const std::string content = Content(1500);
    std::ofstream(path, std::ios::binary) << content;
    std::ifstream in(path, std::ios::binary);
    std::vector<unsigned char> buffer(1024);
    CDoubleBuffering pieces(in, buffer.data(), buffer.size(), 384);
    std::vector<unsigned char> piece(384);
    std::vector<std::size_t> counts;
    while (const std::size_t n = pieces.GetData(piece.data())) counts.push_back(n);
    EXPECT_EQ(counts, (std::vector<std::size_t>{384, 384, 384, 348}));
}

TEST(DoubleBufferingRefusals, ConstructionChecksInOrder) {
    std::vector<unsigned char> buffer(1024);
    std::istringstream good("data");
    std::istringstream failed("data");
    failed.setstate(std::ios::failbit);
    std::ifstream missing(testing::TempDir() + "no_such_file_for_buffering");

    EXPECT_THAT([&] { CDoubleBuffering(failed, buffer.data(), 1023, 0); },
                ThrowsMessage<std::runtime_error>(StrEq(kNotEven)));
    EXPECT_THAT([&] { CDoubleBuffering(failed, buffer.data(), 1024, 0); },
                ThrowsMessage<std::runtime_error>(StrEq(kBadState)));
    EXPECT_THAT([&] { CDoubleBuffering(missing, buffer.data(), 1024, 384); },
                ThrowsMessage<std::runtime_error>(StrEq(kBadState)));
    for (std::size_t pieceLength : {0u, 513u, 1024u}) {
        EXPECT_THAT([&] { CDoubleBuffering(good, buffer.data(), 1024, pieceLength); },
                    ThrowsMessage<std::runtime_error>(StrEq(kIllegalConstruction)));
    }
    EXPECT_THAT([&] { CDoubleBuffering(good, buffer.data(), 0, 1); },
                ThrowsMessage<std::runtime_error>(StrEq(kIllegalConstruction)));
    EXPECT_NO_THROW(CDoubleBuffering(good, buffer.data(), 1024, 512));
}

TEST(DoubleBufferingRefusals, IllegalPieceLengths) {
    std::istringstream in(Content(2000));
    std::vector<unsigned char> buffer(1024);
    std::vector<unsigned char> piece(1024);
    CDoubleBuffering pieces(in, buffer.data(), buffer.size(), 384);
    for (long length : {600L, 513L, 0L, -2L}) {
        EXPECT_THAT([&] { pieces.GetData(piece.data(), length); },
                    ThrowsMessage<std::runtime_error>(StrEq(kIllegalLength)));
    }
    // A refused call takes nothing from the stream.
    EXPECT_EQ(pieces.GetData(piece.data(), 512), 512u);
    EXPECT_EQ(pieces.GetData(piece.data(), CDoubleBuffering::kDefaultLength), 384u);
}

// A stream buffer whose device fails after its first bytes.
class FailingBuffer : public std::streambuf {
protected:
    int_type underflow() override {
        if (m_served) throw std::runtime_error("device failure");
        m_served = true;
        setg(m_bytes, m_bytes, m_bytes + sizeof m_bytes);
        return traits_type::to_int_type(m_bytes[0]);
    }

private:
    char m_bytes[600] = {};
    bool m_served = false;
};

TEST(DoubleBufferingRefusals, AFailingReadIsABadState) {
    FailingBuffer device;
    std::istream in(&device);
    std::vector<unsigned char> buffer(1024);
    std::vector<unsigned char> piece(384);
    CDoubleBuffering pieces(in, buffer.data(), buffer.size(), 384);
    EXPECT_EQ(pieces.GetData(piece.data()), 384u);
    EXPECT_THAT([&] { pieces.GetData(piece.data()); },
                ThrowsMessage<std::runtime_error>(StrEq(kBadState)));
}

}  // namespace
