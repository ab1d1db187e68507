#pragma once

#include <cstdint>
#include <sqlite3.h>
#include <string>

// One prepared statement, finalized by the destructor. Step() returns the
// SQLite result code (SQLITE_ROW, SQLITE_DONE or an error).
class CSqliteStatement
{
public:
    CSqliteStatement(sqlite3* pDb, const char* pszSql);
    ~CSqliteStatement();
    CSqliteStatement(const CSqliteStatement&) = delete;
    CSqliteStatement& operator=(const CSqliteStatement&) = delete;

    bool IsValid() const { return m_pStatement != nullptr; }
    int PrepareResult() const { return m_nPrepareResult; }

    void BindInt(int nIndex, int64_t nValue);
    void BindText(int nIndex, const std::string& strText);
    void BindBlob(int nIndex, const std::string& strBytes);

    int Step();
    void Reset();

    int64_t ColumnInt(int nColumn) const;
    std::string ColumnText(int nColumn) const;
    std::string ColumnBlob(int nColumn) const;

private:
    sqlite3_stmt* m_pStatement = nullptr;
    int m_nPrepareResult = SQLITE_OK;
};

// Runs SQL without results; returns the SQLite result code.
int SqliteExec(sqlite3* pDb, const char* pszSql);
