#pragma once

#include <array>
#include <cstdint>

class CSettingsStore;

// Widths of the results list's columns 0 "Path", 1 "Reason", 2 "Size".
using ColumnWidths = std::array<int32_t, 3>;

// The widths to show for the stored ones in a list whose client area is
// nClientWidth pixels wide. The default for each is nClientWidth × 9 / 30
// (integer arithmetic; the three fill 90 %). When any stored width is 0 or
// negative, any is wider than the client area, or their sum is, all three
// take the default.
ColumnWidths ResolveColumnWidths(const ColumnWidths& stored, int32_t nClientWidth);

// List\col0, col1, col2 (default: the client width's default) resolved as
// above. UI thread, at the view's initial update.
ColumnWidths ReadColumnWidths(CSettingsStore& store, int32_t nClientWidth);
// Writes List\col0, col1, col2, as the close rules do.
void WriteColumnWidths(CSettingsStore& store, const ColumnWidths& widths);
