#pragma once

#include "DisposalTestFixture.h"

#include <filesystem>
#include <fstream>
#include <string>

// Between the search and the disposal the tree changes under the rows. The
// disposal must act on the file each row named and on nothing else.
class CDisposalRaceTest : public CDisposalTest, public ::testing::WithParamInterface<const char*>
{
protected:
    CDisposalRaceTest()
    {
        m_doc.Anomaly = 1;
        const std::string strMode = GetParam();
        m_doc.Move = strMode == "purge" ? 1 : 0;
        m_doc.RecycleRadio = strMode == "folder" ? 1 : 0;
    }

    static std::string ReadHost(const std::filesystem::path& path)
    {
        std::ifstream in(path);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }

    void ExpectReportedAsFailure(const std::string& strPath)
    {
        const std::string strReport = Report();
        EXPECT_NE(std::string::npos,
                  strReport.find(TextModeLines(":\n\n" + strPath + "\n\nNo Files were")))
            << strReport;
    }

    void ExpectNothingDisposedAnywhere()
    {
        EXPECT_TRUE(std::filesystem::is_empty(m_drive.HostPath("C:\\Bak")));
        EXPECT_FALSE(
            std::filesystem::exists(m_drive.HomeFolder() / ".local/share/Trash/files/f.tmp"));
    }
};
