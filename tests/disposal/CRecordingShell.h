#pragma once

#include "platform/IShell.h"

#include <mutex>
#include <string>
#include <vector>

// The platform's shell for moves to the trash; "open" only notes its target,
// so that no viewer is started by a test.
class CRecordingShell : public IShell
{
public:
    explicit CRecordingShell(IShell& realShell) : m_realShell(realShell) {}

    bool MoveToTrash(const std::string& strPath, const SFileIdentity& expected) override
    {
        return m_realShell.MoveToTrash(strPath, expected);
    }
    bool MoveToTrashRecorded(const std::string& strPath, const SFileIdentity& expected,
                             STrashEntry& entry) override
    {
        return m_realShell.MoveToTrashRecorded(strPath, expected, entry);
    }
    EPutBack RestoreFromTrash(const STrashEntry& entry, const std::string& strOriginal) override
    {
        return m_realShell.RestoreFromTrash(entry, strOriginal);
    }
    bool Open(const std::string& strTarget) override
    {
        const std::lock_guard<std::mutex> guard(m_lock);
        m_opened.push_back(strTarget);
        return true;
    }

    std::vector<std::string> Opened()
    {
        const std::lock_guard<std::mutex> guard(m_lock);
        return m_opened;
    }

private:
    IShell& m_realShell;
    std::mutex m_lock;
    std::vector<std::string> m_opened;
};
