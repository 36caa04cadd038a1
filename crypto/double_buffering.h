// The read-ahead buffer of the file operations: reads a stream into a caller's buffer of two
// halves, one half at a time, and hands the stream's bytes out in pieces of a fixed length,
// then a shorter last piece, then nothing.
#pragma once

#include <cstddef>
#include <istream>

class CDoubleBuffering {
public:
    // The length argument of GetData that asks for the default piece length.
    static constexpr long kDefaultLength = -1;

    // Reads from in into buffer[0..size-1]; neither is owned, and both must outlive the
    // object. The first half (size / 2 bytes, fewer at the end of the stream) is read here.
    // REQUIRES: buffer holds size bytes.
    // Throws std::runtime_error, checking in this order: "CDoubleBuffering: m_iSize should be
    // Even Number!" for an odd size; "CDoubleBuffering: Referenced File not Opened or in Bad
    // State!" when in has failed or has no stream buffer; "CDoubleBuffering: Illegal
    // Construction Data!" when defaultPieceLength is 0 or above size / 2.
    CDoubleBuffering(std::istream& in, unsigned char* buffer, std::size_t size,
                     std::size_t defaultPieceLength);

    CDoubleBuffering(const CDoubleBuffering&) = delete;
    CDoubleBuffering& operator=(const CDoubleBuffering&) = delete;

    // Copies the stream's next pieces into out, which has room for length bytes, and returns
    // the count copied: length while that many bytes remain, then what is left (a shorter
    // last piece), then 0 on every later call. Pieces follow each other without gap or
    // overlap, whatever lengths the calls ask for. The first overload, and kDefaultLength,
    // take the default piece length.
    // Throws std::runtime_error "CDoubleBuffering::GetData(): Illegal iDataLen!" for any
    // other length below 1 or above size / 2, and the bad-state error of the constructor when
    // reading the stream fails other than at its end.
    std::size_t GetData(unsigned char* out);
    std::size_t GetData(unsigned char* out, long length);

private:
    // Reads the half m_nextHalf from the stream; the read position is never inside it then.
    void FillNextHalf();

    std::istream& m_in;
    std::size_t m_iSize;
    std::size_t m_halfSize;
    std::size_t m_defaultPieceLength;
    // Where the next piece starts, and how many bytes from there hold unread stream data
    // (wrapping from the buffer's end to its start).
    std::size_t m_position = 0;
    std::size_t m_available = 0;
    // The half the next read fills: 0 or 1.
    std::size_t m_nextHalf = 0;
    unsigned char* m_buffer;
    bool m_endReached = false;
};
