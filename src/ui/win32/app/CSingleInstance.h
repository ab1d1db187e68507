#pragma once

#include <cstdint>
#include <string>
#include <windows.h>

// One running copy per settings store. The copy that owns the store holds a
// named mutex derived from the store's name (the registry root the program
// runs on), so a sandboxed copy and the user's own copy never meet, and marks
// its frame window with the same name. A later copy finds that frame by its
// window class and mark, brings it forward (restored, shown even when it was
// hidden, its last popup in front) and ends.
//
// User-interface thread.
class CSingleInstance
{
public:
    // strStoreName: what tells settings stores apart (empty: the real one).
    explicit CSingleInstance(const std::string& strStoreName);
    ~CSingleInstance();
    CSingleInstance(const CSingleInstance&) = delete;
    CSingleInstance& operator=(const CSingleInstance&) = delete;

    // True when another copy owns the store: its frame has been brought
    // forward (waiting up to FIND_TIMEOUT_MS for a copy still starting) and
    // this copy must end. False when this copy now owns the store.
    bool AskRunningCopyToShow();
    // Marks this copy's frame for later copies.
    void MarkFrame(HWND hFrame) const;
    // Takes the mark off as the frame goes (its WM_DESTROY).
    static void UnmarkFrame(HWND hFrame);
    // The running frame of the store, or nullptr.
    HWND FindRunningFrame() const;

    static constexpr const wchar_t* FRAME_CLASS = L"SXClass";
    static constexpr DWORD FIND_TIMEOUT_MS = 5000;

private:
    uint32_t m_nStoreHash;
    HANDLE m_hMutex = nullptr;
};
