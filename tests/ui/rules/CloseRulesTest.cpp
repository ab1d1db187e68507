#include "ui/rules/CloseRules.h"

#include "ui/rules/ViewState.h"

#include <gtest/gtest.h>

TEST(CloseRulesTest, ASearchIsStoppedAndADisposalAwaited)
{
    EXPECT_EQ(DecideClose(ViewState::None), ECloseAction::Close);
    EXPECT_EQ(DecideClose(ViewState::Idle), ECloseAction::Close);
    EXPECT_EQ(DecideClose(ViewState::Results), ECloseAction::Close);
    EXPECT_EQ(DecideClose(ViewState::Searching), ECloseAction::StopSearchAndRetry);
    EXPECT_EQ(DecideClose(ViewState::Disposing), ECloseAction::RetryAfterDisposal);
    EXPECT_EQ(CLOSE_RETRY_MS, 500u);
    EXPECT_EQ(CLOSE_RETRY_TIMER_ID, 105u);
}

TEST(CloseRulesTest, DisposalDoneNamesOnlyIdleOrResults)
{
    EXPECT_EQ(ViewStateAfterDisposal(1), ViewState::Idle);
    EXPECT_EQ(ViewStateAfterDisposal(3), ViewState::Results);
    // Nothing else may leave the view in Disposing (commands would stay off).
    for (uintptr_t wParam : {uintptr_t{0}, uintptr_t{2}, uintptr_t{4}, uintptr_t{99}})
        EXPECT_EQ(ViewStateAfterDisposal(wParam), ViewState::Idle) << wParam;
}
