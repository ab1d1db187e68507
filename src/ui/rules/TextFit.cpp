#include "TextFit.h"

#include <algorithm>
#include <utility>

namespace
{
// Inclusive edges, as the growth works with them.
struct SEdges
{
    int32_t nLeft = 0;
    int32_t nTop = 0;
    int32_t nRight = 0;  // last column inside
    int32_t nBottom = 0; // last row inside

    static SEdges Of(const STextFitRect& rect)
    {
        return {rect.nLeft, rect.nTop, rect.nLeft + rect.nWidth - 1, rect.nTop + rect.nHeight - 1};
    }
    STextFitRect Rect() const { return {nLeft, nTop, nRight - nLeft + 1, nBottom - nTop + 1}; }
    int32_t Width() const { return nRight - nLeft + 1; }
    int32_t Height() const { return nBottom - nTop + 1; }
    bool Contains(const SEdges& inner) const
    {
        return nLeft <= inner.nLeft && inner.nRight <= nRight && nTop <= inner.nTop &&
               inner.nBottom <= nBottom;
    }
    bool Intersects(const SEdges& other) const
    {
        return Width() > 0 && Height() > 0 && other.Width() > 0 && other.Height() > 0 &&
               nLeft <= other.nRight && other.nLeft <= nRight && nTop <= other.nBottom &&
               other.nTop <= nBottom;
    }
    bool operator==(const SEdges&) const = default;
};

// How far a rectangle may grow on each side: the limits of its edges.
using SLimits = SEdges;

SLimits OuterLimits(size_t nSelf, const SEdges& rect, const std::vector<STextFitControl>& controls,
                    int32_t nParentWidth, int32_t nParentHeight, int32_t nMargin)
{
    const SEdges bounds{nMargin, nMargin, nParentWidth - 1 - nMargin, nParentHeight - 1 - nMargin};
    SLimits limits{std::min(rect.nLeft, bounds.nLeft), std::min(rect.nTop, bounds.nTop),
                   std::max(rect.nRight, bounds.nRight), std::max(rect.nBottom, bounds.nBottom)};
    for (size_t i = 0; i < controls.size(); ++i)
    {
        const STextFitControl& group = controls[i];
        const SEdges frame = SEdges::Of(group.rect);
        if (i == nSelf || !group.bGroupBox || !frame.Contains(rect))
            continue;
        // Inside the frame and below the title of the group that holds it.
        const SEdges inside{frame.nLeft + nMargin, frame.nTop + group.nTitleHeight,
                            frame.nRight - nMargin, frame.nBottom - nMargin};
        limits.nLeft = std::max(limits.nLeft, std::min(rect.nLeft, inside.nLeft));
        limits.nTop = std::max(limits.nTop, std::min(rect.nTop, inside.nTop));
        limits.nRight = std::min(limits.nRight, std::max(rect.nRight, inside.nRight));
        limits.nBottom = std::min(limits.nBottom, std::max(rect.nBottom, inside.nBottom));
    }
    return limits;
}

// The limits left and right of the rectangle's band by the controls beside it.
void LimitSideways(SLimits& limits, size_t nSelf, const SEdges& original, const SEdges& rect,
                   const std::vector<STextFitControl>& controls, int32_t nMargin)
{
    for (size_t i = 0; i < controls.size(); ++i)
    {
        const SEdges other = SEdges::Of(controls[i].rect);
        if (i == nSelf || other.Intersects(original))
            continue;
        if (other.nBottom < rect.nTop || other.nTop > rect.nBottom)
            continue;
        if (other.nRight < rect.nLeft)
            limits.nLeft = std::max(limits.nLeft, std::min(rect.nLeft, other.nRight + 1 + nMargin));
        else if (other.nLeft > rect.nRight)
            limits.nRight =
                std::min(limits.nRight, std::max(rect.nRight, other.nLeft - 1 - nMargin));
    }
}

// The limits above and below the rectangle's column by the controls there.
void LimitUpDown(SLimits& limits, size_t nSelf, const SEdges& original, const SEdges& rect,
                 const std::vector<STextFitControl>& controls, int32_t nMargin)
{
    for (size_t i = 0; i < controls.size(); ++i)
    {
        const SEdges other = SEdges::Of(controls[i].rect);
        if (i == nSelf || other.Intersects(original))
            continue;
        if (other.nRight < rect.nLeft || other.nLeft > rect.nRight)
            continue;
        if (other.nBottom < rect.nTop)
            limits.nTop = std::max(limits.nTop, std::min(rect.nTop, other.nBottom + 1 + nMargin));
        else if (other.nTop > rect.nBottom)
            limits.nBottom =
                std::min(limits.nBottom, std::max(rect.nBottom, other.nTop - 1 - nMargin));
    }
}

// Splits nExtra pixels between the two sides as the preference says, within
// the room each side has. Returns what each side takes.
std::pair<int32_t, int32_t> Split(int32_t nExtra, int32_t nRoomBefore, int32_t nRoomAfter,
                                  ETextFitSide ePreference)
{
    int32_t nBefore = 0;
    int32_t nAfter = 0;
    switch (ePreference)
    {
    case ETextFitSide::Start:
        nAfter = std::min(nExtra, nRoomAfter);
        nBefore = std::min(nExtra - nAfter, nRoomBefore);
        break;
    case ETextFitSide::End:
        nBefore = std::min(nExtra, nRoomBefore);
        nAfter = std::min(nExtra - nBefore, nRoomAfter);
        break;
    case ETextFitSide::Both:
        nBefore = std::min(nExtra / 2, nRoomBefore);
        nAfter = std::min(nExtra - nBefore, nRoomAfter);
        nBefore = std::min(nExtra - nAfter, nRoomBefore);
        break;
    }
    return {nBefore, nAfter};
}

SEdges Widen(const SEdges& rect, int32_t nExtra, const SLimits& limits, ETextFitSide ePreference)
{
    const auto [nLeft, nRight] =
        Split(nExtra, rect.nLeft - limits.nLeft, limits.nRight - rect.nRight, ePreference);
    return {rect.nLeft - nLeft, rect.nTop, rect.nRight + nRight, rect.nBottom};
}

void GrowOne(size_t nSelf, std::vector<STextFitControl>& controls, int32_t nParentWidth,
             int32_t nParentHeight, int32_t nMargin)
{
    STextFitControl& control = controls[nSelf];
    if (control.bGroupBox || TextFitsRect(control))
        return;
    const SEdges original = SEdges::Of(control.rect);
    SLimits limits = OuterLimits(nSelf, original, controls, nParentWidth, nParentHeight, nMargin);
    LimitSideways(limits, nSelf, original, original, controls, nMargin);

    SEdges rect = original;
    if (control.nNeedWidth > rect.Width())
        rect = Widen(rect, control.nNeedWidth - rect.Width(), limits, control.eSide);
    if (control.bWraps && control.heightAtWidth)
    {
        // More lines than the rectangle holds: taller first (the lines keep
        // their breaks as far as possible), then wider a step at a time.
        int32_t nHeight = control.heightAtWidth(rect.Width());
        if (nHeight > rect.Height())
        {
            LimitUpDown(limits, nSelf, original, rect, controls, nMargin);
            const auto [nUp, nDown] = Split(nHeight - rect.Height(), rect.nTop - limits.nTop,
                                            limits.nBottom - rect.nBottom, ETextFitSide::Start);
            rect.nTop -= nUp;
            rect.nBottom += nDown;
            LimitSideways(limits, nSelf, original, rect, controls, nMargin);
        }
        const int32_t nStep = std::max<int32_t>(1, control.nWidenStep);
        while ((nHeight = control.heightAtWidth(rect.Width())) > rect.Height())
        {
            const SEdges wider = Widen(rect, nStep, limits, control.eSide);
            if (wider == rect)
                break;
            rect = wider;
        }
    }
    else if (control.nNeedHeight > rect.Height())
    {
        LimitUpDown(limits, nSelf, original, rect, controls, nMargin);
        const auto [nUp, nDown] =
            Split(control.nNeedHeight - rect.Height(), rect.nTop - limits.nTop,
                  limits.nBottom - rect.nBottom, ETextFitSide::Both);
        rect.nTop -= nUp;
        rect.nBottom += nDown;
    }
    control.rect = rect.Rect();
}
} // namespace

bool TextFitsRect(const STextFitControl& control)
{
    return !control.bHasText || (control.nNeedWidth <= control.rect.nWidth &&
                                 control.nNeedHeight <= control.rect.nHeight);
}

void GrowTextsToFit(std::vector<STextFitControl>& controls, int32_t nParentWidth,
                    int32_t nParentHeight, int32_t nMargin)
{
    for (size_t i = 0; i < controls.size(); ++i)
        GrowOne(i, controls, nParentWidth, nParentHeight, nMargin);
}
