#pragma once

#include <string>
#include <windows.h>

class CStaticLink;
class IShell;
struct SAboutLinks;

// The About box (template 100): the program's name and version, what it
// does, a legal notice and two contact links (CStaticLink). Created afresh
// for each use and run modally. OK is the default button and has the focus
// when the box opens, so Enter closes it, as OK or Esc do; the links take the
// focus by Tab.
//
// The links' visited flags belong to the caller (the application object), so
// a link opened once stays in the visited colour in every later About box of
// the same run. User-interface thread only.
class CAboutDialog
{
public:
    // strWebTarget: what the web link opens (the help pages' address).
    CAboutDialog(IShell& shell, SAboutLinks& links, std::string strWebTarget);

    // Runs modally over hOwner (may be nullptr); returns when it is closed.
    void DoModal(HWND hOwner);

    // While it runs: its window and its links.
    HWND Window() const { return m_hWnd; }
    CStaticLink* EmailLink() const;
    CStaticLink* WebLink() const;

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam);
    void OnInitDialog(HWND hWnd);

    IShell& m_shell;
    SAboutLinks& m_links;
    std::string m_strWebTarget;
    HWND m_hWnd = nullptr;
};

// The About command: the box over hOwner, built and destroyed for this use.
void RunAboutDialog(HWND hOwner, IShell& shell, SAboutLinks& links,
                    const std::string& strWebTarget);
