#include "settings/CIniPieceReader.h"

#include <algorithm>
#include <cstring>

namespace
{
constexpr size_t BUFFER_SIZE = 64 * 1024;
}

CIniPieceReader::CIniPieceReader(IFileReader& file) : m_file(file), m_buffer(BUFFER_SIZE) {}

bool CIniPieceReader::Refill()
{
    if (m_bAtEnd || m_bFailed)
        return false;
    size_t nRead = 0;
    if (!m_file.Read(m_buffer.data(), m_buffer.size(), nRead))
    {
        m_bFailed = true;
        return false;
    }
    m_nPos = 0;
    m_nEnd = nRead;
    m_bAtEnd = nRead == 0;
    return !m_bAtEnd;
}

bool CIniPieceReader::Next(std::string& strPiece)
{
    strPiece.clear();
    while (strPiece.size() < PIECE_LENGTH)
    {
        if (m_nPos == m_nEnd && !Refill())
            return !m_bFailed && !strPiece.empty();
        const size_t nTake = std::min(m_nEnd - m_nPos, PIECE_LENGTH - strPiece.size());
        const char* pBegin = m_buffer.data() + m_nPos;
        const char* pBreak = static_cast<const char*>(std::memchr(pBegin, '\n', nTake));
        const size_t nLength = pBreak != nullptr ? static_cast<size_t>(pBreak - pBegin) + 1 : nTake;
        strPiece.append(pBegin, nLength);
        m_nPos += nLength;
        if (pBreak != nullptr)
            break;
    }
    return true;
}
