#pragma once

#include <mutex>
#include <string>
#include <vector>

// What the browser-cache phase deletes at once, without review.
enum class EDeletionKind
{
    IndexFile,     // a cache folder's index file
    UrlCacheEntry, // an entry of the browser's URL cache, by its URL
};

struct SListedDeletion
{
    EDeletionKind kind = EDeletionKind::IndexFile;
    std::string strItem; // the file's full path, or the entry's URL
};

// The deletions a list-only search did not do, kept for the window in the
// order the search met them. Add runs on the searching thread, Take on the
// thread that plays the window; anything added before a message was posted is
// taken by the window before it handles that message.
class CListedDeletions
{
public:
    void Add(EDeletionKind kind, const std::string& strItem);
    // Moves every deletion added since the last call to the end of list.
    void Take(std::vector<SListedDeletion>& list);

private:
    std::mutex m_mutex;
    std::vector<SListedDeletion> m_pending;
};
