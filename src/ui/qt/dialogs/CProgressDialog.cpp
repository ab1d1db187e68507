#include "CProgressDialog.h"

#include "CTemplateBuilder.h"
#include "ui/res/ResourceIds.h"
#include "ui/res/Templates.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QTimerEvent>
#include <algorithm>

CProgressDialog::CProgressDialog(QWidget* pParent) : QDialog(pParent)
{
    CTemplateBuilder builder(GetProgressTemplate());
    builder.ApplyWindowFrame(this);
    builder.Build(this);
    setModal(false);
    m_progress = builder.ControlAs<QProgressBar>(IDC_PROGRESS_BAR);
    m_pFile = builder.ControlAs<QLabel>(IDC_PROGRESS_FILE);
}

void CProgressDialog::Create()
{
    const QWidget* pParent = parentWidget();
    QRect over;
    if (pParent != nullptr && pParent->isVisible())
    {
        over = pParent->geometry();
    }
    else if (const QScreen* pScreen = QGuiApplication::primaryScreen())
    {
        over = pScreen->availableGeometry();
    }
    if (over.isValid())
    {
        QRect placed(QPoint(0, 0), size());
        placed.moveCenter(over.center());
        setGeometry(placed); // the client area, centred over the parent's
    }
    if (m_progress != nullptr)
        m_progress->setRange(0, std::max(0, m_nTotal));
    m_nPosition = 0;
    m_strFile.clear();
    ShowStep();
    m_sinceDrawn.invalidate(); // the first file shows at once
    show();
}

void CProgressDialog::Step(const QString& strFile)
{
    m_strFile = strFile;
    if (m_nPosition < Maximum())
        ++m_nPosition;
    if (m_drawTimer.isActive())
        return;
    const qint64 nSince = m_sinceDrawn.isValid() ? m_sinceDrawn.elapsed() : DRAW_INTERVAL_MS;
    if (nSince >= DRAW_INTERVAL_MS)
        ShowStep();
    else
        m_drawTimer.start(static_cast<int>(DRAW_INTERVAL_MS - nSince), this);
}

void CProgressDialog::timerEvent(QTimerEvent* pEvent)
{
    if (pEvent->timerId() != m_drawTimer.timerId())
    {
        QDialog::timerEvent(pEvent);
        return;
    }
    m_drawTimer.stop();
    ShowStep();
}

void CProgressDialog::ShowStep()
{
    if (m_progress != nullptr)
        m_progress->setValue(m_nPosition);
    ShowFile();
    m_sinceDrawn.start();
}

int CProgressDialog::Position() const
{
    return m_nPosition;
}

int CProgressDialog::Maximum() const
{
    return m_progress != nullptr ? m_progress->maximum() : 0;
}

void CProgressDialog::closeEvent(QCloseEvent* pEvent)
{
    pEvent->ignore();
}

void CProgressDialog::ShowFile()
{
    if (m_pFile == nullptr)
    {
        return;
    }
    const int nWidth = m_pFile->contentsRect().width();
    m_pFile->setText(m_pFile->fontMetrics().elidedText(m_strFile, Qt::ElideMiddle, nWidth));
    m_pFile->setToolTip(m_strFile);
    m_pFile->setAccessibleName(m_strFile.isEmpty() ? windowTitle() : m_strFile);
}
