#pragma once

#include <QDialog>
#include <QString>
#include <functional>

class IShell;

// The first-start Welcome dialog (template 140): the new user chooses between
// purging candidates and moving them to the Recycle Bin. It has a title bar
// but no close box. Created afresh, run modally with exec(), no owner.
//
//   CWelcomeDialog welcome(shell, strHelpPage);
//   const bool bMove = welcome.exec() == QDialog::Rejected; // Move = bMove ? 0 : 1
//
// Results: "I Will Try Deletion Mode" (the default button, so also Enter)
// accepts; "I Just Want to Move Files to the Recycle Bin" and Esc reject.
// "I Need Help..." opens the help page through the shell and leaves the
// dialog open (a beep when the shell cannot open it). Reading and clearing
// `Newbie` and storing the choice are the caller's. User-interface thread only.
class CWelcomeDialog : public QDialog
{
    Q_OBJECT

public:
    // strHelpTarget: the help page that "I Need Help..." opens (the topic of
    // this dialog, help context HELP_CONTEXT_WELCOME).
    CWelcomeDialog(IShell& shell, const QString& strHelpTarget, QWidget* pParent = nullptr);

    // What a failed help launch does; the default is the system's beep.
    void SetBeep(std::function<void()> beep) { m_beep = std::move(beep); }

    // True when a result means "move to the Recycle Bin" (Cancel or Esc).
    static bool ChoosesMove(int nResult) { return nResult == QDialog::Rejected; }

private:
    void OnHelp();

    IShell& m_shell;
    QString m_strHelpTarget;
    std::function<void()> m_beep;
};
