#pragma once

#include "ui/rules/SPrompt.h"

#include <cstdint>
#include <optional>
#include <string>

// The Age page apart from its widgets: a check box "Only files not changed
// for at least" and a spin box of days, which stand for the one setting
// MinAge (0: off, else the days).

inline constexpr int32_t AGE_DAYS_LOWEST = 1;
inline constexpr int32_t AGE_DAYS_HIGHEST = 3650;
// What the days box shows while the check box is off and nothing was chosen.
inline constexpr int32_t AGE_DAYS_SHOWN_WHEN_OFF = 30;

inline constexpr const char* TEXT_AGE_DAYS_RANGE = "Please enter a number of days from 1 to 3650.";

// The page's controls.
struct SAgeControls
{
    bool bOnlyOld = false; // the check box
    int32_t nDays = AGE_DAYS_SHOWN_WHEN_OFF;

    bool operator==(const SAgeControls&) const = default;
};

// Copy-in: MinAge above 0 ticks the box and shows its days (a stored value
// beyond the box's range shows as the nearest end of it); 0 or less leaves
// the box clear with AGE_DAYS_SHOWN_WHEN_OFF days.
SAgeControls AgeControlsFor(int32_t MinAge);

// Copy-out: the days when the box is ticked, else 0. Days outside the range
// are held to it (the page checks them first, see CheckAgeDays).
int32_t MinAgeFrom(const SAgeControls& controls);

// The days box is enabled only while the check box is ticked.
inline bool IsAgeDaysEnabled(bool bOnlyOld)
{
    return bOnlyOld;
}

// Before the page is left (another tab or OK): the days box's text, as typed,
// must be a whole number from 1 to 3650 while the box is ticked; nDays is
// then that number. nullopt lets the page be left; otherwise the OK-only
// refusal, and the page stays. With the box clear nothing is checked and
// nDays is left as it was.
std::optional<SPrompt> CheckAgeDays(bool bOnlyOld, const std::string& strDaysText, int32_t& nDays);
