// Directed entries naming what only a POSIX drive holds.
#include "SearchTestSupport.h"

TEST_F(CSearchTest, FifoInTheFilesListIsNeitherOpenedNorReported)
{
    m_sandbox.MakeFile("C:\\old\\x.doc", std::string(1500, 'd'));
    m_sandbox.MakeFifo("C:\\old\\pipe.doc");
    m_doc.Lists[LIST_FILE] = {"C:\\old\\pipe.doc", "C:\\old\\x.doc"};
    const auto seen = RunSearch(); // opening the FIFO for its size would hang here
    EXPECT_EQ(Paths(seen, WM_ADD_CANDIDATE), (std::vector<std::string>{"C:\\old\\x.doc"}));
    const std::map<std::string, int32_t> expected = {{"C:\\old\\x.doc", REASON_DIRECTED}};
    EXPECT_EQ(Listed(), expected);
    EXPECT_EQ(m_doc.DirectedCount, 1);
    EXPECT_EQ(m_doc.TotalSize, 1500);
    EXPECT_EQ(Paths(seen, WM_SEARCH_PATH), (std::vector<std::string>{"C:", "C:\\old"}));
}
