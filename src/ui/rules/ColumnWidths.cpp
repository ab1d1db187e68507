#include "ui/rules/ColumnWidths.h"

#include "settings/CSettingsStore.h"

namespace
{
constexpr const char* LIST = "List";
constexpr const char* COLUMN_NAMES[] = {"col0", "col1", "col2"};

int32_t DefaultWidth(int32_t nClientWidth)
{
    return static_cast<int32_t>(int64_t{nClientWidth} * 9 / 30);
}
} // namespace

ColumnWidths ResolveColumnWidths(const ColumnWidths& stored, int32_t nClientWidth)
{
    int64_t nSum = 0;
    bool bUsable = true;
    for (int32_t nWidth : stored)
    {
        if (nWidth <= 0 || nWidth > nClientWidth)
            bUsable = false;
        nSum += nWidth;
    }
    if (bUsable && nSum <= nClientWidth)
        return stored;
    const int32_t nDefault = DefaultWidth(nClientWidth);
    return {nDefault, nDefault, nDefault};
}

ColumnWidths ReadColumnWidths(CSettingsStore& store, int32_t nClientWidth)
{
    ColumnWidths stored{};
    const int32_t nDefault = DefaultWidth(nClientWidth);
    for (size_t i = 0; i < stored.size(); ++i)
        stored[i] = store.GetInt(LIST, COLUMN_NAMES[i], nDefault);
    return ResolveColumnWidths(stored, nClientWidth);
}

void WriteColumnWidths(CSettingsStore& store, const ColumnWidths& widths)
{
    for (size_t i = 0; i < widths.size(); ++i)
        store.SetInt(LIST, COLUMN_NAMES[i], widths[i]);
}
