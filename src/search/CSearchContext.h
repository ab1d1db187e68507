#pragma once

#include "platform/IClock.h"
#include "platform/IMessagePort.h"
#include "platform/IUrlCache.h"
#include "platform/IUserPrompt.h"
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

    IFileSystem& FileSystem() const { return m_doc.FileSystem(); }
    bool IsStopRequested() const { return m_doc.StopFlag.load(std::memory_order_acquire) != 0; }
};
