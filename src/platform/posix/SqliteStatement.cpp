#include "platform/posix/SqliteStatement.h"

CSqliteStatement::CSqliteStatement(sqlite3* pDb, const char* pszSql)
{
    m_nPrepareResult = sqlite3_prepare_v2(pDb, pszSql, -1, &m_pStatement, nullptr);
    if (m_nPrepareResult != SQLITE_OK)
    {
        sqlite3_finalize(m_pStatement);
        m_pStatement = nullptr;
    }
}

CSqliteStatement::~CSqliteStatement()
{
    sqlite3_finalize(m_pStatement);
}

void CSqliteStatement::BindInt(int nIndex, int64_t nValue)
{
    sqlite3_bind_int64(m_pStatement, nIndex, nValue);
}

void CSqliteStatement::BindText(int nIndex, const std::string& strText)
{
    sqlite3_bind_text(m_pStatement, nIndex, strText.data(), static_cast<int>(strText.size()),
                      SQLITE_TRANSIENT);
}

void CSqliteStatement::BindBlob(int nIndex, const std::string& strBytes)
{
    // A zero-length blob must still bind as a blob, not as NULL.
    sqlite3_bind_blob(m_pStatement, nIndex, strBytes.empty() ? "" : strBytes.data(),
                      static_cast<int>(strBytes.size()), SQLITE_TRANSIENT);
}

int CSqliteStatement::Step()
{
    if (m_pStatement == nullptr)
        return m_nPrepareResult == SQLITE_OK ? SQLITE_ERROR : m_nPrepareResult;
    return sqlite3_step(m_pStatement);
}

void CSqliteStatement::Reset()
{
    sqlite3_reset(m_pStatement);
    sqlite3_clear_bindings(m_pStatement);
}

int64_t CSqliteStatement::ColumnInt(int nColumn) const
{
    return sqlite3_column_int64(m_pStatement, nColumn);
}

std::string CSqliteStatement::ColumnText(int nColumn) const
{
    const auto* p = sqlite3_column_text(m_pStatement, nColumn);
    const int nSize = sqlite3_column_bytes(m_pStatement, nColumn);
    return p ? std::string(reinterpret_cast<const char*>(p), static_cast<size_t>(nSize))
             : std::string();
}

std::string CSqliteStatement::ColumnBlob(int nColumn) const
{
    const void* p = sqlite3_column_blob(m_pStatement, nColumn);
    const int nSize = sqlite3_column_bytes(m_pStatement, nColumn);
    return p ? std::string(static_cast<const char*>(p), static_cast<size_t>(nSize)) : std::string();
}

int SqliteExec(sqlite3* pDb, const char* pszSql)
{
    return sqlite3_exec(pDb, pszSql, nullptr, nullptr, nullptr);
}
