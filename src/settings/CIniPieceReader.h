#pragma once

#include "platform/IFileSystem.h"

#include <string>
#include <vector>

// Hands a file out as the C runtime's line reader does: pieces of at most 519
// characters, each ending after a line break or at the piece limit. Only one
// buffer of the file is held at a time, so a file of any size can be read.
class CIniPieceReader
{
public:
    static constexpr size_t PIECE_LENGTH = 519;

    explicit CIniPieceReader(IFileReader& file);

    // The next piece; false at the end of the file or when a read failed
    // (Failed() tells which; a piece cut short by the failure is dropped).
    bool Next(std::string& strPiece);
    bool Failed() const { return m_bFailed; }

private:
    bool Refill();

    IFileReader& m_file;
    std::vector<char> m_buffer;
    size_t m_nPos = 0;
    size_t m_nEnd = 0;
    bool m_bAtEnd = false;
    bool m_bFailed = false;
};
