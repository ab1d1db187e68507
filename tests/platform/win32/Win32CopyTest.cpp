// The copy under a move to a folder on Windows: written under a temporary
// name beside the destination, named only when complete, keeping the
// last-write time and the attributes; temporaries of ended processes are
// swept.
#include "Win32TestFixture.h"
#include "platform/CopyTemporaryName.h"

#include <algorithm>
#include <vector>
#include <windows.h>

namespace
{
// 2001-02-03 00:00:00 UTC in FILETIME units.
constexpr uint64_t OLD_WRITE_TIME = 126258624000000000ull;

bool SetLastWriteTime(const std::string& strHostPath, uint64_t nTime)
{
    HANDLE hFile = ::CreateFileA(strHostPath.c_str(), FILE_WRITE_ATTRIBUTES,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return false;
    FILETIME time{static_cast<DWORD>(nTime), static_cast<DWORD>(nTime >> 32)};
    const bool bSet = ::SetFileTime(hFile, nullptr, nullptr, &time) != 0;
    ::CloseHandle(hFile);
    return bSet;
}

uint64_t LastWriteTime(const std::string& strHostPath)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExA(strHostPath.c_str(), GetFileExInfoStandard, &data))
        return 0;
    return (static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
           data.ftLastWriteTime.dwLowDateTime;
}

// The id of a process that has ended.
uint32_t EndedProcessId()
{
    char szSystem[MAX_PATH] = {};
    ::GetSystemDirectoryA(szSystem, MAX_PATH);
    std::string strCommand = std::string("\"") + szSystem + "\\cmd.exe\" /c exit 0";
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!::CreateProcessA(nullptr, strCommand.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                          nullptr, nullptr, &startup, &process))
        return 0;
    ::WaitForSingleObject(process.hProcess, 30000);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return process.dwProcessId;
}
} // namespace

class Win32CopyTest : public Win32Test
{
protected:
    std::vector<std::string> Names(const std::string& strFolder)
    {
        std::vector<std::string> names;
        for (const auto& [strName, entry] : List(strFolder))
        {
            if (strName != "." && strName != "..")
                names.push_back(strName);
        }
        std::sort(names.begin(), names.end());
        return names;
    }
    std::string Host(const std::string& strPath) { return m_sandbox.HostPath(strPath).string(); }
};

TEST_F(Win32CopyTest, TheCopyIsNamedWhenCompleteAndKeepsItsTimeAndAttributes)
{
    m_sandbox.MakeFile("C:\\src.txt", "new");
    m_sandbox.MakeFolder("C:\\Bak");
    ASSERT_TRUE(SetLastWriteTime(Host("C:\\src.txt"), OLD_WRITE_TIME));
    ASSERT_TRUE(FileSystem().SetAttributes("C:\\src.txt", FILE_ATTR_HIDDEN | FILE_ATTR_READONLY));

    ASSERT_TRUE(FileSystem().CopyFileTo("C:\\src.txt", "C:\\Bak\\copy.txt", true, {}));
    EXPECT_EQ(m_sandbox.ReadFile("C:\\Bak\\copy.txt"), "new");
    EXPECT_EQ(LastWriteTime(Host("C:\\Bak\\copy.txt")), OLD_WRITE_TIME);
    uint32_t nAttributes = 0;
    ASSERT_TRUE(FileSystem().GetAttributes("C:\\Bak\\copy.txt", nAttributes));
    EXPECT_EQ(nAttributes & (FILE_ATTR_HIDDEN | FILE_ATTR_READONLY),
              FILE_ATTR_HIDDEN | FILE_ATTR_READONLY);

    // An existing file is kept without Overwrite and replaced with it; no
    // temporary stays behind either way.
    m_sandbox.MakeFile("C:\\Bak\\old.txt", "old");
    EXPECT_FALSE(FileSystem().CopyFileTo("C:\\src.txt", "C:\\Bak\\old.txt", true, {}));
    EXPECT_EQ(m_sandbox.ReadFile("C:\\Bak\\old.txt"), "old");
    ASSERT_TRUE(FileSystem().CopyFileTo("C:\\src.txt", "C:\\Bak\\old.txt", false, {}));
    EXPECT_EQ(m_sandbox.ReadFile("C:\\Bak\\old.txt"), "new");
    EXPECT_EQ(Names("C:\\Bak"), (std::vector<std::string>{"copy.txt", "old.txt"}));

    for (const char* pPath : {"C:\\src.txt", "C:\\Bak\\copy.txt", "C:\\Bak\\old.txt"})
        EXPECT_TRUE(FileSystem().SetAttributes(pPath, FILE_ATTR_NORMAL)) << pPath;
}

TEST_F(Win32CopyTest, OnlyTemporariesOfEndedProcessesAreSwept)
{
    const uint32_t nEnded = EndedProcessId();
    ASSERT_NE(nEnded, 0u) << "no process could be started";
    const std::string strStale = CopyTemporaryName(nEnded, 0x1234);
    const std::string strLive = CopyTemporaryName(::GetCurrentProcessId(), 1);
    const std::string strFolder = CopyTemporaryName(nEnded, 0x9999);
    m_sandbox.MakeFile("C:\\Bak\\" + strStale, "part");
    m_sandbox.MakeFile("C:\\Bak\\" + strLive, "part");
    m_sandbox.MakeFile("C:\\Bak\\keep.doc", "keep");
    m_sandbox.MakeFolder("C:\\Bak\\" + strFolder);
    ASSERT_TRUE(FileSystem().SetAttributes("C:\\Bak\\" + strStale, FILE_ATTR_READONLY));

    EXPECT_EQ(FileSystem().RemoveStaleCopies("C:\\Bak"), 1);
    std::vector<std::string> expected = {"keep.doc", strLive, strFolder};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Names("C:\\Bak"), expected);
    EXPECT_EQ(FileSystem().RemoveStaleCopies("C:\\Missing"), 0);
}
