#include "ui/rules/FirstStartWelcome.h"

#include "settings/CScrubixDoc.h"
#include "settings/CSettingsStore.h"

#include <string>

namespace
{
constexpr const char* SETTINGS = "Settings";
} // namespace

bool IsWelcomeDue(CSettingsStore& store)
{
    return store.GetInt(SETTINGS, "Newbie", 1) != 0;
}

bool StoreWelcomeAnswer(bool bMove, CScrubixDoc& doc, CSettingsStore& store)
{
    doc.Move = bMove ? 0 : 1;
    doc.RecycleRadio = 0;
    // Newbie last: a registry without transactions that stops part way
    // leaves the question due.
    return store.SetStrings(SETTINGS, {{"Move", std::to_string(doc.Move)},
                                       {"RecycleRadio", std::to_string(doc.RecycleRadio)},
                                       {"Newbie", "0"}});
}

bool RunFirstStartWelcome(CScrubixDoc& doc, CSettingsStore& store,
                          const std::function<bool()>& askMove)
{
    if (!IsWelcomeDue(store))
        return false;
    StoreWelcomeAnswer(askMove(), doc, store);
    return true;
}
