#include "PagesTestSupport.h"

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

std::optional<std::string> CScriptedPathPicker::BrowseForFolder(QWidget*, const QString& strTitle)
{
    m_titles.push_back(strTitle);
    if (m_folders.empty())
        return std::nullopt;
    std::optional<std::string> folder = m_folders.front();
    m_folders.pop_front();
    return folder;
}

std::optional<std::string> CScriptedPathPicker::OpenFile(const std::string& strInitialFile)
{
    m_initialFiles.push_back(strInitialFile);
    if (m_files.empty())
        return std::nullopt;
    std::optional<std::string> file = m_files.front();
    m_files.pop_front();
    return file;
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

CPagesWorld::CPagesWorld()
{
    m_sandbox.MakeFolder("C:\\Scrubix");
    Restart();
}

CPagesWorld::~CPagesWorld() = default;

void CPagesWorld::Restart()
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
