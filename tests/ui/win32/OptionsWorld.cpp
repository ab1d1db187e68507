#include "OptionsWorld.h"

#include "settings/StartUp.h"
#include "support/CurrentFolderGuard.h"

bool CScriptedMessageBox::Show(const SPrompt& prompt)
{
    m_shown.push_back(prompt);
    if (m_answers.empty())
        return true;
    const bool bAnswer = m_answers.front();
    m_answers.pop_front();
    return bAnswer;
}

std::vector<std::string> CScriptedMessageBox::Texts() const
{
    std::vector<std::string> texts;
    for (const SPrompt& prompt : m_shown)
        texts.push_back(prompt.strText);
    return texts;
}

namespace
{
SPathChoice NextChoice(std::deque<std::optional<std::string>>& script)
{
    SPathChoice choice;
    if (script.empty())
        return choice;
    choice.windowsPath = script.front();
    choice.bChosen = choice.windowsPath.has_value();
    script.pop_front();
    return choice;
}
} // namespace

SPathChoice CScriptedPathPicker::BrowseForFolder(HWND, const std::string& strTitle,
                                                 const std::string& strStartFolder)
{
    m_titles.push_back(strTitle);
    m_startFolders.push_back(strStartFolder);
    return NextChoice(m_folders);
}

SPathChoice CScriptedPathPicker::OpenFile(HWND, const std::string& strStartFolder,
                                          const std::string& strInitialFile)
{
    m_startFolders.push_back(strStartFolder);
    m_initialFiles.push_back(strInitialFile);
    return NextChoice(m_files);
}

bool CRecordingAutostart::EnableAtLogin(const std::string& strArguments)
{
    m_calls.push_back("enable" + strArguments);
    return true;
}

bool CRecordingAutostart::DisableAtLogin()
{
    m_calls.push_back("disable");
    return true;
}

COptionsWorld::COptionsWorld()
{
    m_sandbox.MakeFolder("C:\\Scrubix");
    Restart();
}

COptionsWorld::~COptionsWorld() = default;

void COptionsWorld::Restart()
{
    m_pDoc.reset();
    m_pStore.reset();
    m_platform = CreatePlatform();
    m_pStore = std::make_unique<CSettingsStore>(*m_platform.pRegistry);
    CCurrentFolderGuard folder(m_sandbox.HostPath("C:\\Scrubix"));
    OpenSettingsStore(*m_pStore, *m_platform.pFileSystem);
    m_pDoc = std::make_unique<CScrubixDoc>(*m_pStore, *m_platform.pFileSystem);
    m_pDoc->LoadSettings();
    m_pDoc->StoreMissingSettings();
}
