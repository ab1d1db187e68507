#include "settings/CScrubixDoc.h"

#include "settings/TextFolding.h"

#include <algorithm>

namespace
{
constexpr const char* SETTINGS = "Settings";
constexpr int32_t PLATFORM_NT = 2;
// Longer text cannot be read back from the store.
constexpr size_t MAX_STORED_TEXT = CSettingsStore::READ_BUFFER_SIZE - 1;

const char* const DEFAULT_EXTENSIONS[] = {"GID", "CHK", "OLD", "LOG", "BAK", "TMP", "___", "__",
                                          "_",   "---", "--",  "-",   "~~~", "~~",  "~"};
const char* const DEFAULT_EXCLUDES[] = {"uninstall.log", "install.log", "data.bak"};
} // namespace

const char* ListPrefix(int nKind)
{
    static const char* const PREFIXES[LIST_KIND_COUNT] = {"Exten", "Filter", "Exclude", "File",
                                                          "Folder"};
    return PREFIXES[nKind];
}

CScrubixDoc::CScrubixDoc(CSettingsStore& store, IFileSystem& fileSystem)
    : m_store(store), m_fileSystem(fileSystem)
{
}

void CScrubixDoc::BuildDefaultLists()
{
    for (auto& defaults : DefaultLists)
        defaults.clear();
    const bool bNT = PlatformId == PLATFORM_NT;

    DefaultLists[LIST_EXCLUDE].assign(std::begin(DEFAULT_EXCLUDES), std::end(DEFAULT_EXCLUDES));
    DefaultLists[LIST_EXTEN].assign(std::begin(DEFAULT_EXTENSIONS), std::end(DEFAULT_EXTENSIONS));

    // Fixed literal folders on drive C:, kept only when they exist.
    for (const char* pFolder : {bNT ? "C:\\Winnt\\Temp" : "C:\\Windows\\Temp", "C:\\Temp"})
        if (m_fileSystem.IsFolderAccessible(pFolder))
            DefaultLists[LIST_FOLDER].push_back(pFolder);

    const char* pRecycle = bNT ? "C:\\Recycler" : "C:\\Recycled";
    if (m_fileSystem.IsFolderAccessible(pRecycle))
        DefaultLists[LIST_FILTER].push_back(pRecycle);
    if (bNT)
        DefaultLists[LIST_FILTER].push_back("C:\\WINNT\\REPAIR");
}

void CScrubixDoc::LoadSettings()
{
    PlatformId = m_fileSystem.GetPlatformId();
    const std::string strCurrentFolder = m_fileSystem.GetCurrentFolder();
    BuildDefaultLists();

    for (int nKind = 0; nKind < LIST_KIND_COUNT; ++nKind)
    {
        Lists[nKind].clear();
        if (LoadList(nKind) == 0 && !IsListSavedEmpty(nKind))
            Lists[nKind] = DefaultLists[nKind];
    }
    RebuildExtenMap();

    if (m_store.GetInt(SETTINGS, "22", 0) == 0)
    {
        std::vector<std::string>& excludes = Lists[LIST_EXCLUDE];
        if (std::find(excludes.begin(), excludes.end(), "install.log") == excludes.end())
            excludes.push_back("install.log");
        m_store.SetInt(SETTINGS, "22", 1);
    }

    ExcludeCase = m_store.GetInt(SETTINGS, "ExcludeCase", 1);
    IE = m_store.GetInt(SETTINGS, "IE", 0);
    IEURL = m_store.GetInt(SETTINGS, "IEURL", 0);
    NetPath = m_store.GetString(SETTINGS, "NetPath", "");
    Move = m_store.GetInt(SETTINGS, "Move", 0);
    RecycleRadio = m_store.GetInt(SETTINGS, "RecycleRadio", 0);
    WarnMe = m_store.GetInt(SETTINGS, "WarnMe", 1);
    Overwrite = m_store.GetInt(SETTINGS, "Overwrite", 0);
    Zero = m_store.GetInt(SETTINGS, "Zero", 0);
    Scroll = m_store.GetInt(SETTINGS, "Scroll", 0);
    Anomaly = m_store.GetInt(SETTINGS, "Anomaly", 0);
    Deletereadonly = m_store.GetInt(SETTINGS, "Deletereadonly", 0);
    Visible = m_store.GetInt(SETTINGS, "Visible", 1);
    Run = m_store.GetInt(SETTINGS, "Run", 0);
    MinAge = m_store.GetInt(SETTINGS, "MinAge", 0);

    SettlePath(strCurrentFolder);
    SettleMovePath();
    StopFlag.store(0, std::memory_order_release);
}

void CScrubixDoc::SettlePath(const std::string& strCurrentFolder)
{
    // Started from the Windows folder (or any WIN* folder under a root, as at
    // boot) or from a drive root, the program keeps the folder it stored
    // before. A folder too long to be read back from the store is treated the
    // same way rather than stored unreadable.
    const std::string strUpper = ToUpperAscii(strCurrentFolder);
    if (strUpper.find("WIN") == 3 || strCurrentFolder.size() <= 3 ||
        strCurrentFolder.size() > MAX_STORED_TEXT)
    {
        Path = m_store.GetString(SETTINGS, "Path", "");
        if (Path.empty())
            Path = "C:";
        return;
    }
    m_store.SetString(SETTINGS, "Path", strCurrentFolder);
    Path = strCurrentFolder;
}

void CScrubixDoc::SettleMovePath()
{
    std::string strStored;
    const EStoredValue stored = m_store.ReadString(SETTINGS, "MovePath", strStored);
    if (!strStored.empty())
    {
        MovePath = strStored;
        return;
    }
    MovePath = Path + "\\Bak";
    // A store that only reads belongs to a run that changes nothing: the
    // folder is made by the first run that may keep its setting.
    if (!m_store.IsReadOnly())
        m_fileSystem.MakeFolder(MovePath); // an existing folder is fine
    // A stored folder too long to be read stays as it is.
    if (stored == EStoredValue::Found || stored == EStoredValue::Absent)
        m_store.SetString(SETTINGS, "MovePath", MovePath);
}

int32_t CScrubixDoc::LoadList(int nKind)
{
    const std::string strPrefix = ListPrefix(nKind);
    int32_t nEntries = 0;
    for (int32_t n = 0;; ++n)
    {
        std::string strEntry;
        const EStoredValue stored =
            m_store.ReadString(strPrefix, strPrefix + std::to_string(n), strEntry);
        if (stored == EStoredValue::TooLong)
            continue;
        if (strEntry.empty())
            break;
        Lists[nKind].push_back(std::move(strEntry));
        ++nEntries;
    }
    return nEntries;
}

bool CScrubixDoc::IsListSavedEmpty(int nKind)
{
    return m_store.GetInt(ListPrefix(nKind), SAVED_EMPTY_VALUE, 0) != 0;
}

void CScrubixDoc::MarkListSavedEmpty(int nKind, bool bEmpty)
{
    const std::string strMark = bEmpty ? "1" : "0";
    std::string strStored;
    const EStoredValue stored = m_store.ReadString(ListPrefix(nKind), SAVED_EMPTY_VALUE, strStored);
    // A list that was never saved empty needs no mark that says it is not.
    if ((stored == EStoredValue::Found && strStored == strMark) ||
        (!bEmpty && stored != EStoredValue::Found))
        return;
    m_store.SetString(ListPrefix(nKind), SAVED_EMPTY_VALUE, strMark);
}

void CScrubixDoc::WriteListValues(int nKind, const std::vector<std::string>& entries)
{
    // An emptied list is marked before its values are blanked and a filled
    // one unmarked after its values are written: a save cut short leaves
    // either the old entries or the mark, never a blank list without it.
    if (entries.empty())
        MarkListSavedEmpty(nKind, true);
    const std::string strPrefix = ListPrefix(nKind);
    int32_t n = 0;
    std::string strStored;
    const auto readSlot = [&](int32_t nSlot)
    { return m_store.ReadString(strPrefix, strPrefix + std::to_string(nSlot), strStored); };
    for (const std::string& strEntry : entries)
    {
        EStoredValue stored = readSlot(n);
        while (stored == EStoredValue::TooLong)
            stored = readSlot(++n);
        if (stored != EStoredValue::Found || strStored != strEntry)
            m_store.SetString(strPrefix, strPrefix + std::to_string(n), strEntry);
        ++n;
    }
    // Stale values behind the list are blanked, never deleted.
    for (;; ++n)
    {
        const EStoredValue stored = readSlot(n);
        if (stored == EStoredValue::TooLong)
            continue;
        if (strStored.empty())
            break;
        m_store.SetString(strPrefix, strPrefix + std::to_string(n), "");
    }
    if (!entries.empty())
        MarkListSavedEmpty(nKind, false);
}

void CScrubixDoc::SaveList(int nKind)
{
    WriteListValues(nKind, Lists[nKind]);
}

void CScrubixDoc::RebuildExtenMap()
{
    ExtenMap.clear();
    ExtenMap.insert(Lists[LIST_EXTEN].begin(), Lists[LIST_EXTEN].end());
    WriteListValues(LIST_EXTEN, Lists[LIST_EXTEN]);
}

void CScrubixDoc::SaveSettings()
{
    for (int nKind = 0; nKind < LIST_KIND_COUNT; ++nKind)
        SaveList(nKind);
    RebuildExtenMap();
    WriteScalars(false);
}

void CScrubixDoc::StoreMissingSettings()
{
    if (m_store.IsUnreadable())
        return;
    std::string strStored;
    for (int nKind = 0; nKind < LIST_KIND_COUNT; ++nKind)
    {
        const std::string strPrefix = ListPrefix(nKind);
        if (m_store.ReadString(strPrefix, strPrefix + "0", strStored) == EStoredValue::Absent)
            SaveList(nKind);
    }
    WriteScalars(true);
}

void CScrubixDoc::WriteScalars(bool bOnlyAbsent)
{
    std::string strStored;
    const auto writeText = [&](const char* pName, const std::string& strText)
    {
        if (!bOnlyAbsent || m_store.ReadString(SETTINGS, pName, strStored) == EStoredValue::Absent)
            m_store.SetString(SETTINGS, pName, strText);
    };
    const auto writeInt = [&](const char* pName, int32_t nValue)
    { writeText(pName, std::to_string(nValue)); };
    writeInt("ExcludeCase", ExcludeCase);
    writeInt("IE", IE);
    writeInt("IEURL", IEURL);
    writeText("NetPath", NetPath);
    writeInt("Move", Move);
    writeInt("RecycleRadio", RecycleRadio);
    writeInt("WarnMe", WarnMe);
    writeInt("Overwrite", Overwrite);
    writeInt("Anomaly", Anomaly);
    writeInt("Deletereadonly", Deletereadonly);
    writeInt("Zero", Zero);
    writeInt("Scroll", Scroll);
    writeText("MovePath", MovePath);
    writeInt("Visible", Visible);
    writeInt("Run", Run);
    // Written on every save; the start-up leaves it absent, which reads as 0.
    if (!bOnlyAbsent)
        writeInt("MinAge", MinAge);
}
