#include "ui/rules/ColumnWidths.h"

#include "settings/CSettingsStore.h"

namespace
{
constexpr const char* LIST = "List";
constexpr const char* COLUMN_NAMES[] = {"col0", "col1", "col2", "col3"};
// Path, Reason and Size resolve together; Modified, added later, alone.
constexpr size_t SHARED_COLUMNS = 3;

int32_t DefaultWidth(int32_t nClientWidth)
{
    return static_cast<int32_t>(int64_t{nClientWidth} * 9 / 30);
}
} // namespace

ColumnWidths ResolveColumnWidths(const ColumnWidths& stored, int32_t nClientWidth)
{
    const int32_t nDefault = DefaultWidth(nClientWidth);
    const auto fits = [nClientWidth](int32_t nWidth)
    { return nWidth > 0 && nWidth <= nClientWidth; };
    ColumnWidths widths = stored;
    int64_t nSum = 0;
    bool bUsable = true;
    for (size_t i = 0; i < SHARED_COLUMNS; ++i)
    {
        bUsable = bUsable && fits(stored[i]);
        nSum += stored[i];
    }
    if (!bUsable || nSum > nClientWidth)
        for (size_t i = 0; i < SHARED_COLUMNS; ++i)
            widths[i] = nDefault;
    for (size_t i = SHARED_COLUMNS; i < widths.size(); ++i)
        if (!fits(stored[i]))
            widths[i] = nDefault;
    return widths;
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
