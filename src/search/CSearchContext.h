#pragma once

#include "platform/IClock.h"
#include "platform/IMessagePort.h"
#include "platform/IUrlCache.h"
#include "platform/IUserPrompt.h"
#include "search/CListedDeletions.h"
#include "settings/CScrubixDoc.h"

// What the searching thread works with: the document (settings, rule lists and
// the mailboxes) and the services it reaches the window and the OS through.
// A bundle of references; the owner keeps them alive until WM_SEARCH_DONE.
struct CSearchContext
{
    CScrubixDoc& m_doc;
    IMessagePort& m_port;
    IUserPrompt& m_prompt;
    IClock& m_clock;
    IUrlCache& m_urlCache;
    // Set for a search that only lists: the browser-cache phase then deletes
    // no cache entry and no index file and changes no folder's attributes; it
    // adds here each deletion it would have done instead. Null for the
    // window's search.
    CListedDeletions* m_pListOnly = nullptr;

    IFileSystem& FileSystem() const { return m_doc.FileSystem(); }
    bool IsListOnly() const { return m_pListOnly != nullptr; }
    bool IsStopRequested() const { return m_doc.StopFlag.load(std::memory_order_acquire) != 0; }
};
