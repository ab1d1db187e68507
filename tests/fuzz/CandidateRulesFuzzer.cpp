// The candidate rules on hostile names and Exclude entries: no crash, the same
// answer every time, letter case ignored exactly when ExcludeCase says so, an
// Exclude equal to the name (or naming its extension) always keeps the file,
// and a file kept by the Excludes is never reported.
//
// Input: one byte of flags (1 ExcludeCase, 2 Zero, 4 directed), then lines:
// "x:ENTRY" an Exclude entry, "e:EXT" a searched-for extension, anything else
// a file name.

#include "FuzzSupport.h"
#include "platform/posix/CDriveMap.h"
#include "platform/posix/CEmptyUrlCache.h"
#include "platform/posix/CPosixFileSystem.h"
#include "platform/posix/CSqliteRegistry.h"
#include "platform/posix/CSystemClock.h"
#include "search/CMessageQueue.h"
#include "search/CSearchContext.h"
#include "search/CandidateRules.h"
#include "settings/CScrubixDoc.h"
#include "settings/TextFolding.h"

#include <string>
#include <vector>

namespace
{
class CSilentPrompt : public IUserPrompt
{
public:
    void ShowAckTimeout() override { FuzzCheck(false, "the rules never wait for the window"); }
    bool ConfirmPurge(bool& bDontShowAgain) override
    {
        bDontShowAgain = false;
        return false;
    }
};

// The services a classification can reach. The drive and the registry folder
// are an empty folder of the run's own, and neither is touched: the entries
// carry their details and the rules read no settings.
struct SRulesWorld
{
    CSqliteRegistry m_registry{FuzzSandboxFolder()};
    CSettingsStore m_store{m_registry};
    CPosixFileSystem m_fileSystem{CDriveMap({{'C', FuzzSandboxFolder()}})};
    CScrubixDoc m_doc{m_store, m_fileSystem};
    CMessageQueue m_port;
    CSilentPrompt m_prompt;
    CSystemClock m_clock;
    CEmptyUrlCache m_urlCache;
    CSearchContext m_context{m_doc, m_port, m_prompt, m_clock, m_urlCache};
};

bool AllowedWith(CScrubixDoc& doc, const std::string& strName, const std::string& strExtra)
{
    doc.Lists[LIST_EXCLUDE].push_back(strExtra);
    const bool bAllowed = IsNameAllowed(doc, strName);
    doc.Lists[LIST_EXCLUDE].pop_back();
    return bAllowed;
}

void CheckName(SRulesWorld& world, const std::string& strName, bool bDirected)
{
    CScrubixDoc& doc = world.m_doc;
    const int32_t nExcludeCase = doc.ExcludeCase;
    const bool bAllowed = IsNameAllowed(doc, strName);
    FuzzCheck(IsNameAllowed(doc, strName) == bAllowed, "the Excludes answer the same twice");

    doc.ExcludeCase = 1;
    const bool bAllowedIgnoringCase = IsNameAllowed(doc, strName);
    FuzzCheck(IsNameAllowed(doc, ToUpperAscii(strName)) == bAllowedIgnoringCase,
              "ignoring letter case, a name and its upper case are kept alike");
    FuzzCheck(!AllowedWith(doc, strName, ToUpperAscii(strName)),
              "ignoring letter case, an Exclude in other letters keeps the name");
    doc.ExcludeCase = 0;
    FuzzCheck(!bAllowedIgnoringCase || IsNameAllowed(doc, strName),
              "heeding letter case never keeps more files than ignoring it");
    for (int32_t nCase : {0, 1})
    {
        doc.ExcludeCase = nCase;
        FuzzCheck(!AllowedWith(doc, strName, strName), "an Exclude equal to the name keeps it");
        const size_t nDot = strName.rfind('.');
        if (nDot != std::string::npos)
            FuzzCheck(!AllowedWith(doc, strName, "*" + strName.substr(nDot)),
                      "an Exclude naming the extension keeps the name");
    }
    doc.ExcludeCase = nExcludeCase;

    SFindEntry entry;
    entry.strName = strName;
    entry.nSizeLow = static_cast<uint32_t>(strName.size() % 3 == 0 ? 0 : strName.size());
    entry.bDetailsKnown = true;
    doc.CandidateAck.store(1);
    ClassifyFile(world.m_context, "C:", entry, bDirected ? 1 : 0, nullptr);
    SPostedMessage message;
    if (world.m_port.TryGetMessage(message))
    {
        FuzzCheck(bAllowed, "a file kept by the Excludes is never reported");
        FuzzCheck(message.nMessage == WM_ADD_CANDIDATE, "a candidate is posted as such");
        FuzzCheck(doc.CandidatePath == "C:\\" + strName, "the candidate's path is its own");
        FuzzCheck(!world.m_port.TryGetMessage(message), "one file, one candidate");
    }
    else
        FuzzCheck(!bAllowed || !bDirected, "a file in a directed location is reported");
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    if (nSize == 0)
        return 0;
    static SRulesWorld world;
    CScrubixDoc& doc = world.m_doc;
    const unsigned char cFlags = pData[0];
    doc.ExcludeCase = (cFlags & 1) != 0 ? 1 : 0;
    doc.Zero = (cFlags & 2) != 0 ? 1 : 0;
    const bool bDirected = (cFlags & 4) != 0;

    doc.Lists[LIST_EXCLUDE].clear();
    doc.ExtenMap.clear();
    std::vector<std::string> names;
    for (const std::string& strLine : FuzzLines(FuzzText(pData + 1, nSize - 1)))
    {
        if (strLine.rfind("x:", 0) == 0)
            doc.Lists[LIST_EXCLUDE].push_back(strLine.substr(2));
        else if (strLine.rfind("e:", 0) == 0)
            doc.ExtenMap.insert(strLine.substr(2));
        else
            names.push_back(strLine);
    }
    for (const std::string& strName : names)
        CheckName(world, strName, bDirected);
    return 0;
}
