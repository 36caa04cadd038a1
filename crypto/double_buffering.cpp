#include "crypto/double_buffering.h"

#include <algorithm>
#include <stdexcept>

namespace {

[[noreturn]] void ThrowBadState() {
    throw std::runtime_error("CDoubleBuffering: Referenced File not Opened or in Bad State!");
}

}  // namespace

CDoubleBuffering::CDoubleBuffering(std::istream& in, unsigned char* buffer, std::size_t size,
                                   std::size_t defaultPieceLength)
    : m_in(in),
      m_iSize(size),
      m_halfSize(size / 2),
      m_defaultPieceLength(defaultPieceLength),
      m_buffer(buffer) {
    if (size % 2 != 0) {
        throw std::runtime_error("CDoubleBuffering: m_iSize should be Even Number!");
    }
    if (!in || in.rdbuf() == nullptr) ThrowBadState();
    if (defaultPieceLength < 1 || defaultPieceLength > m_halfSize) {
        throw std::runtime_error("CDoubleBuffering: Illegal Construction Data!");
    }
    FillNextHalf();
}

std::size_t CDoubleBuffering::GetData(unsigned char* out) {
    return GetData(out, kDefaultLength);
}

std::size_t CDoubleBuffering::GetData(unsigned char* out, long length) {
    std::size_t wanted = m_defaultPieceLength;
    if (length != kDefaultLength) {
        if (length < 1 || static_cast<unsigned long>(length) > m_halfSize) {
            throw std::runtime_error("CDoubleBuffering::GetData(): Illegal iDataLen!");
        }
        wanted = static_cast<std::size_t>(length);
    }
    // Unread data is then shorter than a half and lies at the end of the half filled last,
    // so the other half can be refilled; a whole half read is enough for any piece.
    if (m_available < wanted && !m_endReached) FillNextHalf();

    const std::size_t count = std::min(wanted, m_available);
    const std::size_t first = std::min(count, m_iSize - m_position);
    std::copy_n(m_buffer + m_position, first, out);
    std::copy_n(m_buffer, count - first, out + first);
    m_position = (m_position + count) % m_iSize;
    m_available -= count;
    return count;
}

void CDoubleBuffering::FillNextHalf() {
    m_in.read(reinterpret_cast<char*>(m_buffer + m_nextHalf * m_halfSize),
              static_cast<std::streamsize>(m_halfSize));
    if (m_in.bad()) ThrowBadState();
    const auto count = static_cast<std::size_t>(m_in.gcount());
    m_available += count;
    m_endReached = count < m_halfSize;
    m_nextHalf = 1 - m_nextHalf;
}
