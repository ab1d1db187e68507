// The headless window's queue: posts from another thread arrive once, in
// order, whether the consumer is looking, sleeping, or just falling asleep.
#include "search/CMessageQueue.h"

#include <chrono>
#include <gtest/gtest.h>
#include <thread>

TEST(MessageQueueTest, PostsFromAnotherThreadArriveOnceInOrder)
{
    // The producer's pace varies, so that posts land while the consumer
    // handles, looks again, and sleeps.
    constexpr uint32_t COUNT = 20000;
    CMessageQueue queue;
    std::thread producer(
        [&]
        {
            for (uint32_t i = 0; i < COUNT; ++i)
            {
                queue.PostMessage(WM_ADD_CANDIDATE, i);
                if (i % 2000 == 0)
                    std::this_thread::sleep_for(std::chrono::milliseconds(2));
                else if (i % 7 == 0)
                    std::this_thread::yield();
            }
            queue.PostMessage(WM_SEARCH_DONE, COUNT);
        });
    uint32_t nNext = 0;
    for (;;)
    {
        const SPostedMessage message = queue.WaitMessage();
        ASSERT_EQ(message.wParam, nNext);
        ++nNext;
        if (message.nMessage == WM_SEARCH_DONE)
            break;
        ASSERT_EQ(message.nMessage, WM_ADD_CANDIDATE);
    }
    producer.join();
    EXPECT_EQ(nNext, COUNT + 1);
    SPostedMessage message;
    EXPECT_FALSE(queue.TryGetMessage(message));
}

TEST(MessageQueueTest, PostWakesASleepingConsumerAtOnce)
{
    // A sleeping consumer looks at the queue by itself only once a second;
    // the post must wake it well before that, every time.
    CMessageQueue queue;
    for (int nRound = 0; nRound < 3; ++nRound)
    {
        std::chrono::steady_clock::time_point received;
        std::thread consumer(
            [&]
            {
                queue.WaitMessage();
                received = std::chrono::steady_clock::now();
            });
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        const auto posted = std::chrono::steady_clock::now();
        queue.PostMessage(WM_SEARCH_PATH, 0);
        consumer.join();
        EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(received - posted).count(),
                  300);
    }
}

TEST(MessageQueueTest, SpinForMessageSeesWhatIsWaiting)
{
    CMessageQueue queue;
    EXPECT_FALSE(queue.SpinForMessage());
    queue.PostMessage(WM_SEARCH_PATH, 7);
    EXPECT_TRUE(queue.SpinForMessage());
    SPostedMessage message;
    ASSERT_TRUE(queue.TryGetMessage(message));
    EXPECT_EQ(message.wParam, 7u);
    EXPECT_FALSE(queue.SpinForMessage());
}
