#include "ui/rules/FrameGeometry.h"

#include "ShellTestFixture.h"
#include "ui/rules/ColumnWidths.h"

#include <gtest/gtest.h>

TEST(FrameGeometryTest, FitKeepsTheCornerAndWrapsTheList)
{
    const SRect frame{100, 50, 700, 550};
    const SRect search{220, 110, 295, 134}; // 24 high
    const SRect list{108, 230, 676, 480};   // 568 wide, 8 from the frame's left
    const SRect fitted = FitFrameToForm(frame, search, list);
    EXPECT_EQ(fitted.nLeft, 100);
    EXPECT_EQ(fitted.nTop, 50);
    EXPECT_EQ(fitted.Width(), 568 + 2 * 8 + 5);
    EXPECT_EQ(fitted.Height(), (480 - 50) + 3 * 24 + 5);
}

TEST(FrameGeometryTest, InitialPlacement)
{
    struct SPlacementCase
    {
        SPlacement stored;
        int32_t nWidth, nHeight;
        SPlacement expected;
        bool bReplaced;
    };
    const SPlacementCase cases[] = {
        {{0, 0, 0, 0}, 1024, 738, {256, 184, 512, 369}, true},            // nothing stored
        {{10, 20, 600, 400}, 1024, 738, {10, 20, 600, 400}, false},       // used as stored
        {{1024, 738, 600, 400}, 1024, 738, {1024, 738, 600, 400}, false}, // x = W is accepted
        {{1025, 20, 600, 400}, 1024, 738, {256, 184, 512, 369}, true},
        {{10, 739, 600, 400}, 1024, 738, {256, 184, 512, 369}, true},
        {{-1, 20, 600, 400}, 1024, 738, {256, 184, 512, 369}, true},
        {{10, 20, 1025, 400}, 1024, 738, {256, 184, 512, 369}, true},
        {{10, 20, 600, 0}, 1024, 738, {256, 184, 512, 369}, true},
        {{10, 20, 600, 400}, 1023, 737, {10, 20, 600, 400}, false},
        {{0, 0, 0, 0}, 1023, 737, {256, 184, 511, 368}, true}, // truncated halves, integer centring
    };
    for (const SPlacementCase& c : cases)
    {
        bool bReplaced = !c.bReplaced;
        EXPECT_EQ(ChooseInitialPlacement(c.stored, c.nWidth, c.nHeight, bReplaced), c.expected)
            << c.stored.x << "," << c.stored.y << " " << c.stored.cx << "x" << c.stored.cy;
        EXPECT_EQ(bReplaced, c.bReplaced);
    }
}

TEST(FrameGeometryTest, SavedPlacementIsClampedToTheWorkArea)
{
    EXPECT_EQ(ClampPlacementForSaving({-30, -5, 600, 400}, 1024, 738),
              (SPlacement{0, 0, 600, 400}));
    EXPECT_EQ(ClampPlacementForSaving({900, 700, 2000, 900}, 1024, 738),
              (SPlacement{900, 700, 1024, 738})); // the corner may lie off the right edge
}

TEST(FrameGeometryTest, ColumnWidths)
{
    struct SWidthCase
    {
        ColumnWidths stored;
        int32_t nClient;
        ColumnWidths expected;
    };
    const SWidthCase cases[] = {
        {{200, 100, 100, 120}, 600, {200, 100, 100, 120}},
        {{200, 200, 200, 600}, 600, {200, 200, 200, 600}}, // the sum may equal the width
        {{0, 100, 100, 120}, 600, {180, 180, 180, 120}},
        {{-5, 100, 100, 120}, 600, {180, 180, 180, 120}},
        {{601, 1, 1, 120}, 600, {180, 180, 180, 120}},
        {{300, 200, 101, 120}, 600, {180, 180, 180, 120}},
        // Modified on its own: the three keep theirs.
        {{200, 100, 100, 0}, 600, {200, 100, 100, 180}},
        {{200, 100, 100, -1}, 600, {200, 100, 100, 180}},
        {{200, 100, 100, 601}, 600, {200, 100, 100, 180}},
        {{2000000000, 2000000000, 2000000000, 1}, 2100000000, {630000000, 630000000, 630000000, 1}},
        {{100, 100, 100, 100}, 29, {8, 8, 8, 8}}, // 29 × 9 / 30 in integers
        {{100, 100, 100, 100}, 0, {0, 0, 0, 0}},
    };
    for (const SWidthCase& c : cases)
        EXPECT_EQ(ResolveColumnWidths(c.stored, c.nClient), c.expected)
            << c.stored[0] << " " << c.stored[1] << " " << c.stored[2] << " " << c.stored[3]
            << " in " << c.nClient;
}

TEST_F(ShellTest, PlacementAndWidthsRoundTripThroughTheStore)
{
    EXPECT_EQ(ReadPlacement(m_store), SPlacement{});
    WritePlacement(m_store, {-3, 4, 500, 300});
    EXPECT_EQ(ReadPlacement(m_store), (SPlacement{-3, 4, 500, 300}));
    EXPECT_EQ(m_store.GetInt("Screen", "cx", 0), 500);

    EXPECT_EQ(ReadColumnWidths(m_store, 600), (ColumnWidths{180, 180, 180, 180}));
    // Widths a list of three columns stored: Modified takes its default.
    for (const char* pName : {"col0", "col1", "col2"})
        m_store.SetInt("List", pName, 150);
    EXPECT_EQ(ReadColumnWidths(m_store, 600), (ColumnWidths{150, 150, 150, 180}));
    WriteColumnWidths(m_store, {250, 90, 120, 110});
    EXPECT_EQ(m_store.GetInt("List", "col1", 0), 90);
    EXPECT_EQ(m_store.GetInt("List", "col3", 0), 110);
    EXPECT_EQ(ReadColumnWidths(m_store, 600), (ColumnWidths{250, 90, 120, 110}));
    EXPECT_EQ(ReadColumnWidths(m_store, 400),
              (ColumnWidths{120, 120, 120, 110})); // sum too large now
}
