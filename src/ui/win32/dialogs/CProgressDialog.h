#pragma once

#include <string>
#include <windows.h>

// Interim stand-in until the dialogs of this front end land: dialog 110.
class CProgressDialog
{
public:
    explicit CProgressDialog(HWND hOwner);
    ~CProgressDialog();
    CProgressDialog(const CProgressDialog&) = delete;
    CProgressDialog& operator=(const CProgressDialog&) = delete;

    void Create();
    void Step(const std::string& strFile);
    int Position() const;
    int Maximum() const;
    HWND Window() const { return m_hWnd; }

    int m_nTotal = 0;

private:
    HWND m_hOwner;
    HWND m_hWnd = nullptr;
};
