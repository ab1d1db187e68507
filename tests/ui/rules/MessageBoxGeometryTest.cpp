#include "ui/rules/MessageBoxGeometry.h"

#include <gtest/gtest.h>

TEST(MessageBoxGeometryTest, RoomForTheTitleBesideTheIconAndWindowButtons)
{
    // "Scrubix" in a bold 9-point face is 51 pixels and a line 14: Openbox
    // shows the whole title from 165 pixels on.
    EXPECT_GE(MessageBoxMinimumWidth(51, 14), 165);
    EXPECT_EQ(MessageBoxMinimumWidth(51, 14), 51 + 10 * 14);
    // A longer title needs as many more pixels; a taller font more room for
    // the buttons, which grow with it.
    EXPECT_EQ(MessageBoxMinimumWidth(156, 17) - MessageBoxMinimumWidth(56, 17), 100);
    EXPECT_EQ(MessageBoxMinimumWidth(56, 34) - MessageBoxMinimumWidth(56, 17), 10 * 17);
    // Nonsense measures never make a negative width.
    EXPECT_EQ(MessageBoxMinimumWidth(-5, -1), 0);
}
