#include "platform/posix/SqliteHive.h"

#include "platform/posix/SqliteStatement.h"

#include <cerrno>
#include <ctime>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
constexpr int BUSY_TIMEOUT_MS = 5000;

// Creates the folder and its missing parents, private to the user.
void MakeFolders(const std::string& strFolder)
{
    for (size_t nPos = 1; nPos <= strFolder.size(); ++nPos)
    {
        if (nPos == strFolder.size() || strFolder[nPos] == '/')
            mkdir(strFolder.substr(0, nPos).c_str(), 0700);
    }
}

// Key names compare as the keys table does (COLLATE NOCASE): ASCII letters
// without regard to case, every other byte as it is.
bool SameKeyName(const std::string& strA, const std::string& strB)
{
    if (strA.size() != strB.size())
        return false;
    for (size_t n = 0; n < strA.size(); ++n)
    {
        const auto fold = [](char c)
        { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
        if (fold(strA[n]) != fold(strB[n]))
            return false;
    }
    return true;
}

bool IsReadOnlyFailure(int nResult)
{
    const int nPrimary = nResult & 0xff;
    return nPrimary == SQLITE_READONLY || nPrimary == SQLITE_CANTOPEN || nPrimary == SQLITE_PERM ||
           nPrimary == SQLITE_AUTH;
}

std::string TimeStamp()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char szStamp[32];
    std::strftime(szStamp, sizeof(szStamp), "%Y%m%d-%H%M%S", &local);
    return szStamp;
}
} // namespace

std::vector<std::string> SplitKeyPath(const std::string& strPath)
{
    std::vector<std::string> parts;
    size_t nStart = 0;
    while (nStart <= strPath.size())
    {
        size_t nEnd = strPath.find('\\', nStart);
        if (nEnd == std::string::npos)
            nEnd = strPath.size();
        if (nEnd > nStart)
            parts.push_back(strPath.substr(nStart, nEnd - nStart));
        nStart = nEnd + 1;
    }
    return parts;
}

CSqliteHive::CSqliteHive(std::string strFolder, std::string strFilePath, ERegistryAccess access)
    : m_strFolder(std::move(strFolder)), m_strFilePath(std::move(strFilePath)),
      m_bOpenedReadOnly(access == ERegistryAccess::ReadOnly), m_bReadOnly(m_bOpenedReadOnly)
{
}

CSqliteHive::~CSqliteHive()
{
    sqlite3_close_v2(m_pDb);
}

sqlite3* CSqliteHive::Connection()
{
    if (m_pDb != nullptr)
        return m_pDb;
    if (!m_bOpenedReadOnly)
        MakeFolders(m_strFolder);
    bool bCorrupt = false;
    m_pDb = OpenChecked(bCorrupt);
    if (m_pDb == nullptr && bCorrupt && m_bOpenedReadOnly)
        m_bUnreadable = true; // left as it is for the next writer to set aside
    else if (m_pDb == nullptr && bCorrupt)
    {
        // The settings it held are gone for this run: whatever reads the
        // fresh hive must not take its emptiness for the user's settings.
        m_bUnreadable = true;
        MoveAside();
        m_pDb = OpenChecked(bCorrupt);
    }
    if (m_pDb == nullptr)
    {
        // Absent and impossible to create is an empty hive; anything found
        // at the name (or a folder that cannot be searched) is one that
        // exists and cannot be read.
        struct stat status
        {
        };
        if (::stat(m_strFilePath.c_str(), &status) == 0 || errno != ENOENT)
            m_bUnreadable = true;
    }
    return m_pDb;
}

bool CSqliteHive::IsUnreadable()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    Connection();
    return m_bUnreadable;
}

void CSqliteHive::NoteReadResult(int nResult)
{
    if (nResult != SQLITE_ROW && nResult != SQLITE_DONE)
        m_bUnreadable = true;
}

sqlite3* CSqliteHive::OpenChecked(bool& bCorrupt)
{
    bCorrupt = false;
    sqlite3* pDb = nullptr;
    const char* pszPath = m_strFilePath.c_str();
    if (m_bOpenedReadOnly ||
        sqlite3_open_v2(pszPath, &pDb,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX,
                        nullptr) != SQLITE_OK)
    {
        sqlite3_close_v2(pDb);
        pDb = nullptr;
        if (sqlite3_open_v2(pszPath, &pDb, SQLITE_OPEN_READONLY | SQLITE_OPEN_FULLMUTEX, nullptr) !=
            SQLITE_OK)
        {
            sqlite3_close_v2(pDb);
            return nullptr;
        }
    }
    sqlite3_busy_timeout(pDb, BUSY_TIMEOUT_MS);

    int nResult = SQLITE_OK;
    {
        CSqliteStatement check(pDb, "PRAGMA quick_check");
        nResult = check.IsValid() ? check.Step() : check.PrepareResult();
        if (nResult == SQLITE_ROW && check.ColumnText(0) != "ok")
            nResult = SQLITE_CORRUPT;
    }
    if (nResult != SQLITE_ROW)
    {
        const int nPrimary = nResult & 0xff;
        bCorrupt = nPrimary == SQLITE_CORRUPT || nPrimary == SQLITE_NOTADB;
        sqlite3_close_v2(pDb);
        return nullptr;
    }

    // Rollback journal with full sync: a crash never loses a committed write.
    SqliteExec(pDb, "PRAGMA journal_mode=DELETE");
    SqliteExec(pDb, "PRAGMA synchronous=FULL");
    m_bReadOnly = m_bOpenedReadOnly || sqlite3_db_readonly(pDb, "main") == 1;
    if (!m_bReadOnly && !EnsureSchema(pDb))
        m_bReadOnly = true;
    return pDb;
}

bool CSqliteHive::EnsureSchema(sqlite3* pDb)
{
    {
        CSqliteStatement query(pDb, "SELECT count(*) FROM sqlite_master WHERE name IN "
                                    "('keys', 'vals')");
        if (query.Step() == SQLITE_ROW && query.ColumnInt(0) == 2)
            return true;
    }
    if (SqliteExec(pDb, "BEGIN IMMEDIATE") != SQLITE_OK)
        return false;
    // AUTOINCREMENT: an id is never reused, so a handle to a deleted key
    // cannot end up on a newer one.
    const int nResult = SqliteExec(pDb, "CREATE TABLE IF NOT EXISTS keys("
                                        " id INTEGER PRIMARY KEY AUTOINCREMENT,"
                                        " parent INTEGER NOT NULL,"
                                        " name TEXT NOT NULL COLLATE NOCASE,"
                                        " UNIQUE(parent, name));"
                                        "CREATE TABLE IF NOT EXISTS vals("
                                        " key_id INTEGER NOT NULL,"
                                        " name TEXT NOT NULL COLLATE NOCASE,"
                                        " type INTEGER NOT NULL,"
                                        " data BLOB NOT NULL,"
                                        " PRIMARY KEY(key_id, name));");
    if (nResult != SQLITE_OK || SqliteExec(pDb, "COMMIT") != SQLITE_OK)
    {
        SqliteExec(pDb, "ROLLBACK");
        return false;
    }
    return true;
}

void CSqliteHive::MoveAside()
{
    const std::string strAside = m_strFilePath + ".corrupt-" + TimeStamp();
    rename(m_strFilePath.c_str(), strAside.c_str());
    // A journal left beside the bad file would be played into the new one.
    const std::string strJournal = m_strFilePath + "-journal";
    if (access(strJournal.c_str(), F_OK) == 0 &&
        rename(strJournal.c_str(), (strAside + "-journal").c_str()) != 0)
        unlink(strJournal.c_str());
}

void CSqliteHive::NoteWriteFailure(int nResult)
{
    if (IsReadOnlyFailure(nResult))
        m_bReadOnly = true;
}

bool CSqliteHive::Write(const std::function<bool(sqlite3*)>& body)
{
    sqlite3* pDb = Connection();
    if (pDb == nullptr || m_bReadOnly)
        return false;
    int nResult = SqliteExec(pDb, "BEGIN IMMEDIATE");
    if (nResult != SQLITE_OK)
    {
        NoteWriteFailure(nResult);
        return false;
    }
    if (!body(pDb))
    {
        NoteWriteFailure(sqlite3_extended_errcode(pDb));
        SqliteExec(pDb, "ROLLBACK");
        return false;
    }
    nResult = SqliteExec(pDb, "COMMIT");
    if (nResult != SQLITE_OK)
    {
        NoteWriteFailure(nResult);
        SqliteExec(pDb, "ROLLBACK");
        return false;
    }
    return true;
}

bool CSqliteHive::IsWithinLimitsLocked(int64_t nFrom, const std::vector<std::string>& path)
{
    if (path.size() > REGISTRY_MAX_KEY_DEPTH)
        return false;
    for (const std::string& strName : path)
    {
        if (strName.size() > REGISTRY_MAX_KEY_NAME)
            return false;
    }
    sqlite3* pDb = Connection();
    if (nFrom == ROOT_KEY || pDb == nullptr)
        return true;
    // The depth of the key it starts from: its chain of parents, followed no
    // further than the limit.
    CSqliteStatement parent(pDb, "SELECT parent FROM keys WHERE id = ?1");
    size_t nDepth = path.size();
    for (int64_t nKey = nFrom; nKey != ROOT_KEY; ++nDepth)
    {
        if (nDepth >= REGISTRY_MAX_KEY_DEPTH)
            return false;
        parent.Reset();
        parent.BindInt(1, nKey);
        if (parent.Step() != SQLITE_ROW)
            return true; // a key that is gone: the write itself fails
        nKey = parent.ColumnInt(0);
    }
    return true;
}

bool CSqliteHive::FindKeyLocked(sqlite3* pDb, int64_t nFrom, std::span<const std::string> path,
                                int64_t& nKey, std::vector<int64_t>* pTrail)
{
    // No key that deep can be there: not worth a query per level.
    if (path.size() > REGISTRY_MAX_KEY_DEPTH && nFrom == ROOT_KEY)
        return false;
    CSqliteStatement find(pDb, "SELECT id FROM keys WHERE parent = ?1 AND name = ?2");
    nKey = nFrom;
    for (const std::string& strName : path)
    {
        find.Reset();
        find.BindInt(1, nKey);
        find.BindText(2, strName);
        const int nFound = find.Step();
        NoteReadResult(nFound);
        if (nFound != SQLITE_ROW)
            return false;
        nKey = find.ColumnInt(0);
        if (pTrail != nullptr)
            pTrail->push_back(nKey);
    }
    return KeyExistsLocked(pDb, nKey);
}

bool CSqliteHive::CreateKeyLocked(sqlite3* pDb, int64_t nFrom, const std::vector<std::string>& path,
                                  int64_t& nKey, bool& bCreated)
{
    if (!KeyExistsLocked(pDb, nFrom))
        return false;
    CSqliteStatement find(pDb, "SELECT id FROM keys WHERE parent = ?1 AND name = ?2");
    CSqliteStatement insert(pDb, "INSERT INTO keys(parent, name) VALUES(?1, ?2)");
    nKey = nFrom;
    bCreated = false;
    for (const std::string& strName : path)
    {
        find.Reset();
        find.BindInt(1, nKey);
        find.BindText(2, strName);
        const int nFound = find.Step();
        if (nFound == SQLITE_ROW)
        {
            nKey = find.ColumnInt(0);
            bCreated = false;
            continue;
        }
        if (nFound != SQLITE_DONE)
            return false;
        insert.Reset();
        insert.BindInt(1, nKey);
        insert.BindText(2, strName);
        if (insert.Step() != SQLITE_DONE)
            return false;
        nKey = sqlite3_last_insert_rowid(pDb);
        bCreated = true;
    }
    return true;
}

bool CSqliteHive::KeyExistsLocked(sqlite3* pDb, int64_t nKey)
{
    if (nKey == ROOT_KEY)
        return true;
    CSqliteStatement query(pDb, "SELECT 1 FROM keys WHERE id = ?1");
    query.BindInt(1, nKey);
    return query.Step() == SQLITE_ROW;
}

bool CSqliteHive::SetValueLocked(sqlite3* pDb, int64_t nKey, const SRegistryValue& value)
{
    if (!KeyExistsLocked(pDb, nKey))
        return false;
    // On conflict the row keeps the name as first spelled.
    CSqliteStatement upsert(pDb, "INSERT INTO vals(key_id, name, type, data) VALUES(?1, ?2, ?3, ?4)"
                                 " ON CONFLICT(key_id, name) DO UPDATE SET"
                                 " type = excluded.type, data = excluded.data");
    upsert.BindInt(1, nKey);
    upsert.BindText(2, value.strName);
    upsert.BindInt(3, value.nType);
    upsert.BindBlob(4, value.strData);
    return upsert.Step() == SQLITE_DONE;
}

bool CSqliteHive::FindKey(int64_t nFrom, const std::vector<std::string>& path, int64_t& nKey)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    sqlite3* pDb = Connection();
    if (pDb == nullptr)
        return false;
    if (nFrom != ROOT_KEY)
        return FindKeyLocked(pDb, nFrom, path, nKey);
    // Lookups by path mostly follow one another through a tree (a key after
    // its parent, a walk of the whole tree), so each starts from the deepest
    // key it shares with the path found before, when that key is still
    // there: a key never moves and its id is never reused, so a key that is
    // still there still has that path. A walk of a tree then costs a query
    // or two a key, not one for every level above it.
    size_t nShared = 0;
    while (nShared < path.size() && nShared < m_lastPath.size() &&
           SameKeyName(path[nShared], m_lastPath[nShared]))
        ++nShared;
    if (nShared > 0 && !KeyExistsLocked(pDb, m_lastKeys[nShared - 1]))
        nShared = 0;
    m_lastPath.resize(nShared);
    m_lastKeys.resize(nShared);
    const bool bFound =
        FindKeyLocked(pDb, nShared == 0 ? ROOT_KEY : m_lastKeys[nShared - 1],
                      std::span<const std::string>(path).subspan(nShared), nKey, &m_lastKeys);
    m_lastPath.insert(m_lastPath.end(), path.begin() + static_cast<std::ptrdiff_t>(nShared),
                      path.begin() + static_cast<std::ptrdiff_t>(m_lastKeys.size()));
    return bFound;
}

bool CSqliteHive::CreateKey(int64_t nFrom, const std::vector<std::string>& path, int64_t& nKey,
                            bool& bCreated)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!IsWithinLimitsLocked(nFrom, path))
        return false;
    return Write([&](sqlite3* pDb) { return CreateKeyLocked(pDb, nFrom, path, nKey, bCreated); });
}

bool CSqliteHive::QueryValue(int64_t nKey, const std::string& strName, SRegistryValue& value)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    sqlite3* pDb = Connection();
    if (pDb == nullptr)
        return false;
    CSqliteStatement query(pDb,
                           "SELECT name, type, data FROM vals WHERE key_id = ?1 AND name = ?2");
    query.BindInt(1, nKey);
    query.BindText(2, strName);
    const int nResult = query.Step();
    NoteReadResult(nResult);
    if (nResult != SQLITE_ROW)
        return false;
    value.strName = query.ColumnText(0);
    value.nType = static_cast<uint32_t>(query.ColumnInt(1));
    value.strData = query.ColumnBlob(2);
    return true;
}

bool CSqliteHive::SetValue(int64_t nKey, const SRegistryValue& value)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return Write([&](sqlite3* pDb) { return SetValueLocked(pDb, nKey, value); });
}

bool CSqliteHive::EnumValues(int64_t nKey, std::vector<SRegistryValue>& values)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    sqlite3* pDb = Connection();
    if (pDb == nullptr)
        return false;
    CSqliteStatement query(pDb,
                           "SELECT name, type, data FROM vals WHERE key_id = ?1 ORDER BY rowid");
    query.BindInt(1, nKey);
    values.clear();
    int nResult;
    while ((nResult = query.Step()) == SQLITE_ROW)
    {
        values.push_back(
            {query.ColumnText(0), static_cast<uint32_t>(query.ColumnInt(1)), query.ColumnBlob(2)});
    }
    NoteReadResult(nResult);
    return nResult == SQLITE_DONE;
}

bool CSqliteHive::EnumSubKeys(int64_t nKey, std::vector<std::string>& names)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    sqlite3* pDb = Connection();
    if (pDb == nullptr)
        return false;
    CSqliteStatement query(pDb, "SELECT name FROM keys WHERE parent = ?1 ORDER BY name");
    query.BindInt(1, nKey);
    names.clear();
    int nResult;
    while ((nResult = query.Step()) == SQLITE_ROW)
        names.push_back(query.ColumnText(0));
    NoteReadResult(nResult);
    return nResult == SQLITE_DONE;
}

bool CSqliteHive::DeleteValue(int64_t nKey, const std::string& strName)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return Write(
        [&](sqlite3* pDb)
        {
            CSqliteStatement erase(pDb, "DELETE FROM vals WHERE key_id = ?1 AND name = ?2");
            erase.BindInt(1, nKey);
            erase.BindText(2, strName);
            return erase.Step() == SQLITE_DONE && sqlite3_changes(pDb) == 1;
        });
}

bool CSqliteHive::DeleteKey(const std::vector<std::string>& path)
{
    if (path.empty())
        return false; // the hive itself stays
    std::lock_guard<std::mutex> lock(m_mutex);
    return Write(
        [&](sqlite3* pDb)
        {
            int64_t nKey = 0;
            if (!FindKeyLocked(pDb, ROOT_KEY, path, nKey))
                return false;
            static const char* const apszSql[] = {
                "WITH RECURSIVE tree(id) AS (SELECT ?1 UNION ALL"
                " SELECT keys.id FROM keys JOIN tree ON keys.parent = tree.id)"
                " DELETE FROM vals WHERE key_id IN (SELECT id FROM tree)",
                "WITH RECURSIVE tree(id) AS (SELECT ?1 UNION ALL"
                " SELECT keys.id FROM keys JOIN tree ON keys.parent = tree.id)"
                " DELETE FROM keys WHERE id IN (SELECT id FROM tree)",
            };
            for (const char* pszSql : apszSql)
            {
                CSqliteStatement erase(pDb, pszSql);
                erase.BindInt(1, nKey);
                if (erase.Step() != SQLITE_DONE)
                    return false;
            }
            return true;
        });
}

bool CSqliteHive::SetValueAt(const std::vector<std::string>& path, const SRegistryValue& value)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!IsWithinLimitsLocked(ROOT_KEY, path))
        return false;
    return Write(
        [&](sqlite3* pDb)
        {
            int64_t nKey = 0;
            bool bCreated = false;
            return CreateKeyLocked(pDb, ROOT_KEY, path, nKey, bCreated) &&
                   SetValueLocked(pDb, nKey, value);
        });
}

bool CSqliteHive::WriteKeys(const std::vector<SRegistryKeyValues>& keys)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    std::vector<std::vector<std::string>> paths;
    paths.reserve(keys.size());
    for (const SRegistryKeyValues& key : keys)
    {
        paths.push_back(SplitKeyPath(key.strPath));
        if (!IsWithinLimitsLocked(ROOT_KEY, paths.back()))
            return false;
    }
    return Write(
        [&](sqlite3* pDb)
        {
            for (size_t n = 0; n < keys.size(); ++n)
            {
                int64_t nKey = 0;
                bool bCreated = false;
                if (!CreateKeyLocked(pDb, ROOT_KEY, paths[n], nKey, bCreated))
                    return false;
                for (const SRegistryValue& value : keys[n].values)
                {
                    if (!SetValueLocked(pDb, nKey, value))
                        return false;
                }
            }
            return true;
        });
}
