#include "CStaticLink.h"

#include "OpenOutcome.h"
#include "platform/IShell.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QTimerEvent>

CStaticLink::CStaticLink(QWidget* pParent) : QLabel(pParent)
{
    // Moves must arrive without a button held, so hovering is noticed.
    setMouseTracking(true);
    setFocusPolicy(Qt::TabFocus);
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    ApplyColour();
}

void CStaticLink::SetLinkText(const QString& strText)
{
    setText(strText);
    setAccessibleName(strText);
}

void CStaticLink::SetVisitedFlag(int* pbVisited)
{
    m_pbVisited = pbVisited;
    ApplyColour();
}

void CStaticLink::ApplyColour()
{
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, IsVisited() ? m_colorVisited : m_colorUnvisited);
    setPalette(palette);
}

void CStaticLink::changeEvent(QEvent* pEvent)
{
    // A font change by the dialog (its template font) keeps the underline.
    if (pEvent->type() == QEvent::FontChange && !font().underline())
    {
        QFont underlined = font();
        underlined.setUnderline(true);
        setFont(underlined);
    }
    QLabel::changeEvent(pEvent);
}

void CStaticLink::paintEvent(QPaintEvent* pEvent)
{
    QLabel::paintEvent(pEvent);
    if (!hasFocus())
        return;
    // The focus mark goes round the text, as on a push button's caption.
    QPainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = fontMetrics()
                      .boundingRect(contentsRect(), static_cast<int>(alignment()), text())
                      .adjusted(-1, 0, 1, 0)
                      .intersected(rect());
    option.backgroundColor = palette().color(QPalette::Window);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
}

void CStaticLink::mouseMoveEvent(QMouseEvent* pEvent)
{
    QLabel::mouseMoveEvent(pEvent);
    if (m_bLaunched)
        return;
    const bool bInside = rect().contains(pEvent->position().toPoint());
    if (!m_bCaptured && bInside)
    {
        m_bCaptured = true;
        grabMouse(Qt::PointingHandCursor);
        setCursor(Qt::PointingHandCursor);
    }
    else if (m_bCaptured && !bInside)
    {
        releaseMouse();
        m_bCaptured = false;
        setCursor(Qt::ArrowCursor);
    }
}

void CStaticLink::mouseReleaseEvent(QMouseEvent* pEvent)
{
    QLabel::mouseReleaseEvent(pEvent);
    if (pEvent->button() == Qt::LeftButton && rect().contains(pEvent->position().toPoint()))
        Click();
}

void CStaticLink::keyPressEvent(QKeyEvent* pEvent)
{
    const int nKey = pEvent->key();
    if (nKey == Qt::Key_Space || nKey == Qt::Key_Return || nKey == Qt::Key_Enter)
    {
        Click();
        return;
    }
    QLabel::keyPressEvent(pEvent);
}

void CStaticLink::Click()
{
    if (m_link.isEmpty())
        m_link = text();
    if (!m_strMailLocalPart.isEmpty() && m_link.contains(m_strMailLocalPart + QLatin1Char('@')) &&
        !m_link.startsWith(QLatin1String("mailto:")))
        m_link.prepend(QLatin1String("mailto:"));

    m_bCaptured = false;
    releaseMouse();
    m_bLaunched = true;
    m_launchTimer.start(LAUNCH_PERIOD_MS, this);

    if (m_pShell == nullptr)
    {
        Opened(false);
        return;
    }
    // The shell may learn only later whether the target opened; the window
    // goes on meanwhile.
    WhenOpened(this, m_pShell->OpenWithOutcome(m_link.toStdString()),
               [this](bool bOpened) { Opened(bOpened); });
}

void CStaticLink::Opened(bool bOpened)
{
    if (!bOpened)
    {
        // The link stays unvisited and can be clicked again.
        if (m_beep)
            m_beep();
        else
            QApplication::beep();
        return;
    }
    if (m_pbVisited != nullptr)
        *m_pbVisited = 1;
    setCursor(Qt::ArrowCursor);
    ApplyColour();
    update();
}

void CStaticLink::timerEvent(QTimerEvent* pEvent)
{
    QLabel::timerEvent(pEvent);
    if (pEvent->timerId() == m_launchTimer.timerId())
    {
        m_launchTimer.stop();
        m_bLaunched = false;
    }
}
