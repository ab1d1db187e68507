#pragma once

#include <QDialog>
#include <QString>

class CStaticLink;
class IShell;

// The About box: the program's name and version, what it does, a legal
// notice and two contact links. Created afresh for each use, without an owner,
// and run modally. OK is the default button and has the focus when the box
// opens, so Enter closes it, as OK or Esc do; the links take the focus only
// by Tab.
//
// The links' visited flags belong to the caller (the application object), so
// a link opened once stays in the visited colour in every later About box of
// the same run. User-interface thread only.
class CAboutDialog : public QDialog
{
    Q_OBJECT

public:
    // strWebTarget: what the web link opens (the help pages' address).
    CAboutDialog(IShell& shell, int& bEmailVisited, int& bWebVisited, const QString& strWebTarget,
                 QWidget* pParent = nullptr);

    CStaticLink* EmailLink() const { return m_pLinkEmail; }
    CStaticLink* WebLink() const { return m_pLinkWeb; }

private:
    CStaticLink* m_pLinkEmail = nullptr;
    CStaticLink* m_pLinkWeb = nullptr;
};
