#include "StringTable.h"

#include "ResourceIds.h"

namespace
{
constexpr SStringEntry kStrings[] = {
    {IDR_MAINFRAME, "Scrubix"},
    {ID_SEARCH, "Search\nSearch"},
    {ID_OPTIONS, "Options\nOptions"},
    {ID_CANCEL, "Cancel\nCancel"},
    {ID_PURGE, "Purge\nPurge"},
    {ID_MOVE, "Move\nMove"},
    {ID_APP_EXIT, "Quit the application\nExit"},
    {ID_APP_ABOUT, "Display program information, version number and copyright\nAbout"},
    {ID_HELP_FINDER, "List Help topics\nHelp Topics"},
    {AFX_IDS_IDLEMESSAGE, "Ready"},
};
} // namespace

std::span<const SStringEntry> GetStringTable()
{
    return kStrings;
}

std::string_view FindString(int32_t nId)
{
    for (const SStringEntry& entry : kStrings)
    {
        if (entry.nId == nId)
        {
            return entry.pszText;
        }
    }
    return {};
}

std::string_view StatusPrompt(int32_t nCommandId)
{
    const std::string_view text = FindString(nCommandId);
    return text.substr(0, text.find('\n'));
}

std::string_view ToolTip(int32_t nCommandId)
{
    const std::string_view text = FindString(nCommandId);
    const size_t nBreak = text.find('\n');
    return nBreak == std::string_view::npos ? std::string_view{} : text.substr(nBreak + 1);
}
