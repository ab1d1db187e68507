#pragma once

#include <QBasicTimer>
#include <QColor>
#include <QLabel>
#include <QString>
#include <functional>

class IShell;

// A static text that is a link: drawn underlined, blue until its target has
// been opened and purple after, with a pointing hand while the pointer is over
// it. While hovered it holds the mouse capture, so leaving it is noticed even
// over other controls. A click opens the target through the shell; for one
// second after a click, pointer moves are ignored. The keyboard reaches it by
// Tab only; it then shows a focus mark, and Space or Enter opens it.
//
// The visited state lives in an integer flag owned by someone else (the
// application object, so it outlasts every About box); the link counts as
// visited when the flag is exactly 1. Set the flag and the shell before the
// control is first shown or clicked. User-interface thread only.
class CStaticLink : public QLabel
{
    Q_OBJECT

public:
    explicit CStaticLink(QWidget* pParent = nullptr);

    // The text shown, which is also the link's accessible name.
    void SetLinkText(const QString& strText);
    void SetVisitedFlag(int* pbVisited);
    void SetShell(IShell* pShell) { m_pShell = pShell; }
    // The target; empty means the control's own text is the target.
    void SetLink(const QString& strLink) { m_link = strLink; }
    const QString& Link() const { return m_link; }
    // Local part of the contact address: a target that holds it followed by
    // "@" is opened as a "mailto:" address.
    void SetMailLocalPart(const QString& strLocalPart) { m_strMailLocalPart = strLocalPart; }
    // What a failed launch does (the shell could not open the target, which
    // may be known only after the opener has ended); the default is the
    // system's message beep.
    void SetBeep(std::function<void()> beep) { m_beep = std::move(beep); }

    bool IsCaptured() const { return m_bCaptured; }
    bool IsLaunched() const { return m_bLaunched; }
    bool IsVisited() const { return m_pbVisited != nullptr && *m_pbVisited == 1; }

    static constexpr int LAUNCH_TIMER_ID = 102;
    static constexpr int LAUNCH_PERIOD_MS = 1000;

protected:
    void mouseMoveEvent(QMouseEvent* pEvent) override;
    void mouseReleaseEvent(QMouseEvent* pEvent) override;
    // Space or Enter on the focused link opens it, as a click does.
    void keyPressEvent(QKeyEvent* pEvent) override;
    void timerEvent(QTimerEvent* pEvent) override;
    void changeEvent(QEvent* pEvent) override;
    void paintEvent(QPaintEvent* pEvent) override;

private:
    void Click();
    void Opened(bool bOpened);
    void ApplyColour();

    QColor m_colorUnvisited{0, 0, 255};
    QColor m_colorVisited{128, 0, 128};
    int* m_pbVisited = nullptr;
    bool m_bCaptured = false;
    bool m_bLaunched = false;
    QString m_link;
    QString m_strMailLocalPart;
    IShell* m_pShell = nullptr;
    std::function<void()> m_beep;
    QBasicTimer m_launchTimer;
};
