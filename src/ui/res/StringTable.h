#pragma once

#include <cstdint>
#include <span>
#include <string_view>

// The string table: command prompts (status-bar prompt, "\n", tool tip), the
// idle status text and the application title, by resource id.

struct SStringEntry
{
    int32_t nId = 0;
    const char* pszText = "";
};

std::span<const SStringEntry> GetStringTable();

// The text of an id, or an empty view when the table has none.
std::string_view FindString(int32_t nId);

// The status-bar prompt of a command: its string up to the first "\n" (the
// whole string when it has none).
std::string_view StatusPrompt(int32_t nCommandId);

// The tool tip of a command: its string after the first "\n" (empty when it
// has none).
std::string_view ToolTip(int32_t nCommandId);

// The application's title, used by the main window and every message box.
inline constexpr const char* APP_TITLE = "Scrubix";
