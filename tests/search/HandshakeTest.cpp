#include "SearchTestSupport.h"
#include "search/CandidateRules.h"
#include "search/WaitForAck.h"

#ifdef _WIN32
#include <windows.h>
#undef SearchPath // the document's field, not the Win32 function
#else
#include <ctime>
#endif

namespace
{
// A tick counter moved by hand; each read advances it by a step so that the
// wait's limit is crossed after a known number of polls.
class CSteppingClock : public IClock
{
public:
    CSteppingClock(uint32_t nStart, uint32_t nStep) : m_nNow(nStart), m_nStep(nStep) {}
    uint32_t GetTickCount() override
    {
        ++m_nReads;
        if (m_pOnRead)
            m_pOnRead(m_nReads);
        return m_nNow += m_nStep;
    }
    void Sleep(uint32_t) override {}
    std::time_t Now() override { return 0; }

    uint32_t m_nNow;
    uint32_t m_nStep;
    int m_nReads = 0;
    std::function<void(int)> m_pOnRead;
};
// Processor time used by the calling thread so far, user and system, in ms.
double ThreadCpuMs()
{
#ifdef _WIN32
    FILETIME created{}, exited{}, kernel{}, user{};
    ::GetThreadTimes(::GetCurrentThread(), &created, &exited, &kernel, &user);
    const auto ticks = [](const FILETIME& time)
    { return (static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime; };
    return static_cast<double>(ticks(kernel) + ticks(user)) / 10000.0;
#else
    struct timespec now
    {
    };
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
#endif
}
} // namespace

TEST(WaitForAckTest, ReturnsAtOnceWhenAcknowledged)
{
    std::atomic<int32_t> flag{1};
    CSteppingClock clock(0, 1);
    CCountingPrompt prompt;
    WaitForAck(flag, clock, prompt);
    EXPECT_EQ(prompt.m_nTimeouts.load(), 0);
}

TEST(WaitForAckTest, TimesOutAcrossTheCounterWrap)
{
    std::atomic<int32_t> flag{0};
    CSteppingClock clock(0xFFFFF000u, 1000); // wraps during the wait
    CCountingPrompt prompt;
    WaitForAck(flag, clock, prompt);
    EXPECT_EQ(prompt.m_nTimeouts.load(), 1);
    EXPECT_EQ(clock.m_nReads, 16); // the start, then 15 polls of one second each
}

TEST(WaitForAckTest, FlagSetInTheTimingOutPollStillShowsTheBox)
{
    std::atomic<int32_t> flag{0};
    CSteppingClock clock(0, 1000);
    clock.m_pOnRead = [&](int nReads)
    {
        if (nReads == 16)
            flag.store(1);
    };
    CCountingPrompt prompt;
    WaitForAck(flag, clock, prompt);
    EXPECT_EQ(prompt.m_nTimeouts.load(), 1);
}

TEST(WaitForAckTest, SleepsWhileWaitingAndWakesOnTheAcknowledgement)
{
    std::atomic<int32_t> flag{0};
    CShortTimeoutClock clock;
    CCountingPrompt prompt;
    std::atomic<bool> bDone{false};
    double dWaitCpuMs = 0;
    std::thread worker(
        [&]
        {
            const double dBefore = ThreadCpuMs();
            WaitForAck(flag, clock, prompt);
            dWaitCpuMs = ThreadCpuMs() - dBefore;
            bDone.store(true);
        });
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    EXPECT_FALSE(bDone.load());
    const auto set = std::chrono::steady_clock::now();
    SetAck(flag);
    worker.join();
    const auto woken = std::chrono::steady_clock::now();
    // A waiting worker sleeps: 400 ms of waiting cost far less than 400 ms of
    // processor time, and the acknowledgement wakes it at once rather than
    // at its next look at the clock.
    EXPECT_LT(dWaitCpuMs, 100.0);
    EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(woken - set).count(), 200);
    EXPECT_EQ(prompt.m_nTimeouts.load(), 0);
}

TEST_F(CSearchTest, StopDuringAnAcknowledgementWaitStops)
{
    // The real 15-second limit: the stop, not the time-out, ends the wait.
    m_sandbox.Build({"C:\\a.tmp", "C:\\One\\", "C:\\Two\\", "C:\\Three\\"});
    CMessageQueue queue;
    m_doc.PathAck.store(1);
    m_doc.CandidateAck.store(1);
    m_doc.SearchRoot = "C:";
    CSearch search(CSearchContext{m_doc, queue, m_prompt, m_clock, m_urlCache});
    search.Start();
    SPostedMessage message = queue.WaitMessage();
    ASSERT_EQ(message.nMessage, WM_SEARCH_PATH);
    // The window does not answer; the worker is held in its wait for the
    // next report. Then the stop, as the view's Stop does it.
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    const auto stop = std::chrono::steady_clock::now();
    m_doc.StopFlag.store(1, std::memory_order_release);
    SetAck(m_doc.PathAck);
    SetAck(m_doc.CandidateAck);
    do
        message = queue.WaitMessage();
    while (message.nMessage != WM_SEARCH_DONE);
    search.Join();
    EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(
                  std::chrono::steady_clock::now() - stop)
                  .count(),
              2000);
    EXPECT_EQ(m_prompt.m_nTimeouts.load(), 0);
}

TEST_F(CSearchTest, StalledWindowTimesOutAndTheSlotIsOverwritten)
{
    m_clock.m_nTimeoutMs = 50;
    m_sandbox.Build({"C:\\a.tmp", "C:\\b.tmp", "C:\\Sub\\"});
    CMessageQueue queue;
    m_doc.PathAck.store(1);
    m_doc.CandidateAck.store(1);
    m_doc.SearchRoot = "C:";
    CSearch search(CSearchContext{m_doc, queue, m_prompt, m_clock, m_urlCache});
    search.Start();
    // The window takes the messages but never acknowledges.
    std::vector<uint32_t> messages;
    SPostedMessage message;
    do
    {
        message = queue.WaitMessage();
        messages.push_back(message.nMessage);
    } while (message.nMessage != WM_SEARCH_DONE);
    search.Join();
    EXPECT_EQ(messages, (std::vector<uint32_t>{WM_SEARCH_PATH, WM_ADD_CANDIDATE, WM_ADD_CANDIDATE,
                                               WM_SEARCH_PATH, WM_SEARCH_DONE}));
    // Second candidate and the sub-folder's path each waited out the limit.
    EXPECT_EQ(m_prompt.m_nTimeouts.load(), 2);
    std::vector<std::string> files;
    for (const std::string& strName : ListingOrder("C:"))
        if (strName != "Sub")
            files.push_back(strName);
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(m_doc.CandidatePath, "C:\\" + files[1]);
    EXPECT_EQ(m_doc.SearchPath, "C:\\Sub");
}

TEST_F(CSearchTest, ManyCandidatesCrossTheHandshakeIntact)
{
    // Run under ThreadSanitizer: the mailbox must be handed over by the flag.
    for (int i = 0; i < 300; ++i)
        m_sandbox.MakeFile("C:\\d" + std::to_string(i % 7) + "\\f" + std::to_string(i) + ".tmp",
                           std::string(static_cast<size_t>(i), 'x'));
    const auto seen = RunSearch();
    ASSERT_EQ(m_rows.size(), 300u);
    double dTotal = 0;
    for (const SCandidateRow& row : m_rows)
    {
        const size_t nF = row.strPath.rfind("\\f");
        const int nIndex = std::stoi(row.strPath.substr(nF + 2));
        EXPECT_EQ(row.dSize, nIndex) << row.strPath;
        EXPECT_EQ(row.strPath.substr(0, 5), "C:\\d" + std::to_string(nIndex % 7));
        dTotal += row.dSize;
    }
    EXPECT_EQ(m_doc.TotalSize, dTotal);
    EXPECT_EQ(m_doc.ExtenCount, 300);
    EXPECT_EQ(m_prompt.m_nTimeouts.load(), 0);
}
