#pragma once

#include <array>
#include <cstdint>

class CSettingsStore;

// Widths of the results list's columns 0 "Path", 1 "Reason", 2 "Size",
// 3 "Modified".
using ColumnWidths = std::array<int32_t, 4>;

// The widths to show for the stored ones in a list whose client area is
// nClientWidth pixels wide. The default for each is nClientWidth × 9 / 30
// (integer arithmetic). The first three resolve together: when any of them
// is 0 or negative, any is wider than the client area, or their sum is, all
// three take the default. "Modified" resolves on its own: its stored width
// when above 0 and no wider than the client area, else the default (the list
// then scrolls sideways). So widths stored for three columns, with no col3,
// keep the three and give Modified its default.
ColumnWidths ResolveColumnWidths(const ColumnWidths& stored, int32_t nClientWidth);

// List\col0 to col3 (default: the client width's default) resolved as
// above. UI thread, at the view's initial update.
ColumnWidths ReadColumnWidths(CSettingsStore& store, int32_t nClientWidth);
// Writes List\col0 to col3, as the close rules do.
void WriteColumnWidths(CSettingsStore& store, const ColumnWidths& widths);
