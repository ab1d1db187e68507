#include "ui/rules/MessageBoxGeometry.h"

#include <algorithm>

namespace
{
// The window's icon, three buttons and the margins, in line heights.
constexpr int32_t TITLE_BAR_DECORATION_LINES = 10;
} // namespace

int32_t MessageBoxMinimumWidth(int32_t nTitleTextWidth, int32_t nLineHeight)
{
    return std::max<int32_t>(0, nTitleTextWidth) +
           TITLE_BAR_DECORATION_LINES * std::max<int32_t>(0, nLineHeight);
}
