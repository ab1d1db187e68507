#pragma once

#include <functional>

class CScrubixDoc;
class CSettingsStore;

// The first start's question (the Welcome dialog): purge candidates, or move
// them to the Recycle Bin. Asked while Newbie (section Settings, default 1)
// is not 0. Nothing is stored before the user answers: the answer (Move,
// RecycleRadio 0) and Newbie = 0 are written together afterwards, in one
// write where the store allows it and with Newbie last where it does not. A
// start that ends while the question is open (killed, crashed, logged out)
// stores nothing, so the next start asks again instead of running on a
// choice the user never made. A second copy started meanwhile never gets
// here: it only shows the running copy. UI thread.
//
// askMove shows the question and returns true when the user chose to move
// files (Cancel, Esc), false for purging (the default button, Enter).
// Returns true when the question was asked.
bool RunFirstStartWelcome(CScrubixDoc& doc, CSettingsStore& store,
                          const std::function<bool()>& askMove);

// Whether the question is still to be asked.
bool IsWelcomeDue(CSettingsStore& store);

// Sets Move (0 to move, 1 to purge) and RecycleRadio 0 in the document and
// stores them with Newbie = 0 as described above. False when the store did
// not take them all (the question is then asked again at the next start).
bool StoreWelcomeAnswer(bool bMove, CScrubixDoc& doc, CSettingsStore& store);
