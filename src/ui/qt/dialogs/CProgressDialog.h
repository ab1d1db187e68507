#pragma once

#include <QBasicTimer>
#include <QDialog>
#include <QElapsedTimer>
#include <QString>

class QLabel;
class QProgressBar;

// The File Moving Progress window (template 110): modeless, no close box and
// no buttons, a file line and a bar. The main frame owns it for one move.
//
//   auto* pProgress = new CProgressDialog(pFrame);
//   pProgress->m_nTotal = nRows;     // every row of the results list
//   pProgress->Create();             // centred over pFrame, range 0..nRows, shown
//   pProgress->Step(strPath);        // per WM_DISPOSE_STEP
//   delete pProgress;                // on WM_DISPOSE_DONE
//
// The bar's range is a full int, so lists of more than 65,535 rows are shown
// in proportion. Esc and the window manager's close do nothing: the window
// lives until its owner deletes it. It is shown even while the parent is
// hidden. User-interface thread only.
class CProgressDialog : public QDialog
{
    Q_OBJECT

public:
    explicit CProgressDialog(QWidget* pParent = nullptr);

    // Initialises and shows the window: centred over the parent (over the
    // screen when the parent is hidden or absent), the bar's range 0 ..
    // m_nTotal (negative counts as 0), step 1, position 0, the file line empty.
    void Create();

    // The next file: m_strFile becomes strFile, the position advances one
    // step (never past its upper bound) and the bar and the line show them; a
    // path longer than the line is shortened in the middle, so its start and
    // its file name both show (the whole path stays in the line's tool tip).
    // The window is drawn at most every DRAW_INTERVAL_MS: a step that comes
    // sooner is shown by a timer, so a fast move is not slowed by painting.
    void Step(const QString& strFile);

    static constexpr int DRAW_INTERVAL_MS = 40;

    int Position() const;
    int Maximum() const;
    QLabel* FileLabel() const { return m_pFile; }
    QProgressBar* ProgressBar() const { return m_progress; }

    void reject() override {}

    // The bar's upper bound, set by the creator before Create.
    int m_nTotal = 0;
    // The file last announced, shown by static 1052.
    QString m_strFile;

protected:
    void closeEvent(QCloseEvent* pEvent) override;
    void timerEvent(QTimerEvent* pEvent) override;

private:
    void ShowFile();
    void ShowStep();

    int m_nPosition = 0;
    QBasicTimer m_drawTimer;
    QElapsedTimer m_sinceDrawn;

    QProgressBar* m_progress = nullptr;
    QLabel* m_pFile = nullptr;
};
