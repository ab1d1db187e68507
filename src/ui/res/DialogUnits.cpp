#include "DialogUnits.h"

int32_t AverageCharWidth(int32_t nSampleWidth)
{
    if (nSampleWidth <= 0)
    {
        return 0;
    }
    return (nSampleWidth / 26 + 1) / 2;
}

int32_t ScaleRounded(int32_t nUnits, int32_t nBase, int32_t nDivisor)
{
    if (nDivisor == 0)
    {
        return 0;
    }
    int64_t nProduct = static_cast<int64_t>(nUnits) * nBase;
    int64_t nDiv = nDivisor;
    bool bNegative = (nProduct < 0) != (nDiv < 0);
    if (nProduct < 0)
    {
        nProduct = -nProduct;
    }
    if (nDiv < 0)
    {
        nDiv = -nDiv;
    }
    int64_t nResult = (nProduct + nDiv / 2) / nDiv;
    return static_cast<int32_t>(bNegative ? -nResult : nResult);
}

int32_t DialogUnitsToPixelsX(int32_t nUnits, const SDialogBaseUnits& base)
{
    return ScaleRounded(nUnits, base.nCharWidth, 4);
}

int32_t DialogUnitsToPixelsY(int32_t nUnits, const SDialogBaseUnits& base)
{
    return ScaleRounded(nUnits, base.nCharHeight, 8);
}

SUnitRect DialogRectToPixels(const SUnitRect& units, const SDialogBaseUnits& base)
{
    const int32_t nLeft = DialogUnitsToPixelsX(units.nLeft, base);
    const int32_t nTop = DialogUnitsToPixelsY(units.nTop, base);
    const int32_t nRight = DialogUnitsToPixelsX(units.nLeft + units.nWidth, base);
    const int32_t nBottom = DialogUnitsToPixelsY(units.nTop + units.nHeight, base);
    return SUnitRect{nLeft, nTop, nRight - nLeft, nBottom - nTop};
}
