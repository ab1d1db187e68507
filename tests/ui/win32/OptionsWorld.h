#pragma once

#include "platform/IAutostart.h"
#include "platform/Platform.h"
#include "settings/CScrubixDoc.h"
#include "settings/CSettingsStore.h"
#include "support/CSandboxDrive.h"
#include "ui/rules/IMessageBox.h"
#include "ui/win32/pages/IPathPicker.h"

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// Answers each box from a script (true = Yes/OK) and records what was shown.
// A box with no scripted answer is answered Yes.
class CScriptedMessageBox : public IMessageBox
{
public:
    std::deque<bool> m_answers;
    std::vector<SPrompt> m_shown;

    bool Show(const SPrompt& prompt) override;
    std::vector<std::string> Texts() const;
};

// The folder browser and file-open dialog, answered from a script (nullopt:
// cancelled), recording the titles, start folders and start files they were
// given.
class CScriptedPathPicker : public IPathPicker
{
public:
    std::deque<std::optional<std::string>> m_folders;
    std::deque<std::optional<std::string>> m_files;
    std::vector<std::string> m_titles;
    std::vector<std::string> m_startFolders;
    std::vector<std::string> m_initialFiles;

    SPathChoice BrowseForFolder(HWND hOwner, const std::string& strTitle,
                                const std::string& strStartFolder) override;
    SPathChoice OpenFile(HWND hOwner, const std::string& strStartFolder,
                         const std::string& strInitialFile) override;
};

// The login entry as calls.
class CRecordingAutostart : public IAutostart
{
public:
    std::vector<std::string> m_calls; // "enable <args>" or "disable"
    bool EnableAtLogin(const std::string& strArguments) override;
    bool DisableAtLogin() override;
};

// One run of the program in a sandbox: the Win32 backend on a sandbox drive
// and a scratch registry key, the store opened on the program's key, the
// document loaded as at start-up (from C:\Scrubix). Restart() runs the
// start-up again on the same sandbox, as the next start of the program would.
class COptionsWorld
{
public:
    COptionsWorld();
    ~COptionsWorld();

    void Restart();
    CScrubixDoc& Doc() { return *m_pDoc; }
    CSettingsStore& Store() { return *m_pStore; }
    CSandboxDrive& Sandbox() { return m_sandbox; }
    IRegistry& Registry() { return *m_platform.pRegistry; }

    CScriptedMessageBox m_messageBox;
    CScriptedPathPicker m_pathPicker;
    CRecordingAutostart m_autostart;

private:
    CSandboxDrive m_sandbox; // first: the platform reads its environment
    SPlatform m_platform;
    std::unique_ptr<CSettingsStore> m_pStore;
    std::unique_ptr<CScrubixDoc> m_pDoc;
};
