// The first-start seeding reader on hostile INI text: the file is cut into
// pieces the same way however the reads split it, and the import writes the
// same sections and values whatever the read sizes are.

#include "FuzzSupport.h"
#include "platform/posix/CDriveMap.h"
#include "platform/posix/CPosixFileSystem.h"
#include "platform/posix/CSqliteRegistry.h"
#include "settings/CIniPieceReader.h"
#include "settings/CSettingsStore.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace
{
// Hands out the input in reads of the given lengths (cycling), the last
// allowed length capped by the buffer; fails instead of reading past
// nFailAt bytes when that is set.
class CChunkedReader : public IFileReader
{
public:
    CChunkedReader(std::string_view strData, std::vector<size_t> lengths,
                   size_t nFailAt = std::string_view::npos)
        : m_strData(strData), m_lengths(std::move(lengths)), m_nFailAt(nFailAt)
    {
    }
    bool Read(char* pBuffer, size_t nSize, size_t& nRead) override
    {
        nRead = 0;
        if (m_nPos >= m_nFailAt)
            return false;
        const size_t nWant = m_lengths[m_nNext++ % m_lengths.size()];
        nRead = std::min({nWant, nSize, m_strData.size() - m_nPos, m_nFailAt - m_nPos});
        std::memcpy(pBuffer, m_strData.data() + m_nPos, nRead);
        m_nPos += nRead;
        return true;
    }

private:
    std::string_view m_strData;
    std::vector<size_t> m_lengths;
    size_t m_nFailAt;
    size_t m_nPos = 0;
    size_t m_nNext = 0;
};

// What the import wrote, in order, as text: "[section" for each sub-key
// created, "name=value" for each value.
class CRecordingKey : public IRegistryKey
{
public:
    explicit CRecordingKey(std::vector<std::string>& log) : m_log(log) {}
    bool QueryValue(const std::string&, char*, size_t, size_t& nRead, uint32_t&) override
    {
        nRead = 0;
        return false;
    }
    bool SetStringValue(const std::string& strName, const std::string& strText) override
    {
        m_log.push_back(strName + "=" + strText);
        return true;
    }
    std::unique_ptr<IRegistryKey> CreateSubKey(const std::string& strPath) override
    {
        m_log.push_back("[" + strPath);
        return std::make_unique<CRecordingKey>(m_log);
    }
    void Close() override {}

private:
    std::vector<std::string>& m_log;
};

// The real file system of a drive that is never touched, except that the
// INI opened is the fuzzer's input.
class CInputFileSystem : public CPosixFileSystem
{
public:
    explicit CInputFileSystem(const std::string& strRoot)
        : CPosixFileSystem(CDriveMap({{'C', strRoot}}))
    {
    }
    std::unique_ptr<IFileReader> OpenFileReader(const std::string& strPath) override
    {
        FuzzCheck(strPath == "C:\\WINDOWS\\Scrubix.INI", "the import opens the Windows INI");
        return std::make_unique<CChunkedReader>(m_strData, m_lengths, m_nFailAt);
    }
    std::string GetWindowsFolder() override { return "C:\\WINDOWS"; }

    std::string_view m_strData;
    std::vector<size_t> m_lengths;
    size_t m_nFailAt = std::string_view::npos;
};

std::vector<std::string> Pieces(std::string_view strData, std::vector<size_t> lengths)
{
    CChunkedReader file(strData, std::move(lengths));
    CIniPieceReader reader(file);
    std::vector<std::string> pieces;
    std::string strPiece;
    while (reader.Next(strPiece))
        pieces.push_back(strPiece);
    FuzzCheck(!reader.Failed(), "a reader that never fails is read to its end");
    return pieces;
}

void CheckPieces(std::string_view strData, const std::vector<std::string>& pieces)
{
    std::string strJoined;
    for (size_t i = 0; i < pieces.size(); ++i)
    {
        const std::string& strPiece = pieces[i];
        FuzzCheck(!strPiece.empty(), "no piece is empty");
        FuzzCheck(strPiece.size() <= CIniPieceReader::PIECE_LENGTH, "pieces keep the limit");
        const size_t nBreak = strPiece.find('\n');
        FuzzCheck(nBreak == std::string::npos || nBreak + 1 == strPiece.size(),
                  "a line break ends its piece");
        FuzzCheck(nBreak != std::string::npos || strPiece.size() == CIniPieceReader::PIECE_LENGTH ||
                      i + 1 == pieces.size(),
                  "only a full piece or the last one ends without a break");
        strJoined += strPiece;
    }
    FuzzCheck(strJoined == strData, "the pieces are the whole file, in order");
}

std::vector<std::string> Import(CInputFileSystem& fileSystem, bool& bFinished)
{
    CSqliteRegistry registry(FuzzSandboxFolder()); // never opened: the key is the recorder
    CSettingsStore store(registry);
    std::vector<std::string> log;
    CRecordingKey baseKey(log);
    bFinished = store.ImportIni(baseKey, fileSystem);
    return log;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    const std::string_view strData = FuzzText(pData, nSize);

    // Reads of every size, from one byte up to more than a piece.
    const std::vector<size_t> whole{1 << 20};
    const std::vector<size_t> ragged{1, 2, 3, 5, 8, 13, 518, 519, 520, 1031, 7};
    const std::vector<std::string> pieces = Pieces(strData, whole);
    CheckPieces(strData, pieces);
    FuzzCheck(Pieces(strData, ragged) == pieces, "the read sizes do not change the pieces");

    CInputFileSystem fileSystem(FuzzSandboxFolder());
    fileSystem.m_strData = strData;
    fileSystem.m_lengths = whole;
    bool bFinished = false;
    const std::vector<std::string> imported = Import(fileSystem, bFinished);
    FuzzCheck(bFinished, "an import that reads the whole file finishes");
    for (const std::string& strEntry : imported)
        FuzzCheck(strEntry.find('\n') == std::string::npos, "no name or value holds a line break");

    fileSystem.m_lengths = ragged;
    FuzzCheck(Import(fileSystem, bFinished) == imported && bFinished,
              "the read sizes do not change what is imported");

    // A read that fails part way is never taken for a finished import.
    if (nSize > 0)
    {
        fileSystem.m_nFailAt = nSize / 2;
        Import(fileSystem, bFinished);
        FuzzCheck(!bFinished, "an import cut short by a failed read is not finished");
    }
    return 0;
}
