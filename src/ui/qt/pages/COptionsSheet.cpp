#include "COptionsSheet.h"

#include "CAgePage.h"
#include "CDirectedPage.h"
#include "CExcludePage.h"
#include "CExtenPage.h"
#include "CFilesPage.h"
#include "CFilterPage.h"
#include "CFoldersPage.h"
#include "COtherPage.h"
#include "CPurgePage.h"
#include "CQtMessageBox.h"
#include "CQtPathPicker.h"
#include "CRunPage.h"
#include "settings/CScrubixDoc.h"
#include "ui/rules/RunAtBoot.h"

#include <QDialogButtonBox>
#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

namespace
{
COptionsPage* MakePage(EOptionsPage ePage, SPageContext& context)
{
    switch (ePage)
    {
    case EOptionsPage::Excludes:
        return new CExcludePage(context);
    case EOptionsPage::Filters:
        return new CFilterPage(context);
    case EOptionsPage::Directeds:
        return new CDirectedPage(context);
    case EOptionsPage::FilesToDelete:
        return new CFilesPage(context);
    case EOptionsPage::FoldersToDelete:
        return new CFoldersPage(context);
    case EOptionsPage::Extensions:
        return new CExtenPage(context);
    case EOptionsPage::PurgeMove:
        return new CPurgePage(context);
    case EOptionsPage::RunOptions:
        return new CRunPage(context);
    case EOptionsPage::OtherSettings:
        return new COtherPage(context);
    case EOptionsPage::Age:
        return new CAgePage(context);
    }
    return nullptr;
}
} // namespace

COptionsSheet::COptionsSheet(CScrubixDoc& doc, ViewState state, IAutostart& autostart,
                             QWidget* pParent, SOptionsServices services)
    : QDialog(pParent), m_doc(doc), m_state(state), m_autostart(autostart),
      m_values(CopyIntoSheet(doc))
{
    setWindowTitle(QStringLiteral("Options"));
    // A fixed-size sheet: a close box, never a minimise or maximise box.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setModal(true);

    IMessageBox* pMessageBox = services.pMessageBox;
    if (pMessageBox == nullptr)
    {
        m_pOwnMessageBox = std::make_unique<CQtMessageBox>(this);
        pMessageBox = m_pOwnMessageBox.get();
    }
    IPathPicker* pPathPicker = services.pPathPicker;
    if (pPathPicker == nullptr)
    {
        m_pOwnPathPicker = std::make_unique<CQtPathPicker>();
        pPathPicker = m_pOwnPathPicker.get();
    }
    m_pContext =
        std::make_unique<SPageContext>(SPageContext{doc, m_values, *pMessageBox, *pPathPicker});

    m_pTabBar = new QTabBar(this);
    m_pTabBar->setObjectName(QStringLiteral("optionsTabs"));
    m_pTabBar->setAccessibleName(QStringLiteral("Options pages"));
    m_pTabBar->setFocusPolicy(Qt::StrongFocus);
    m_pTabBar->setExpanding(false);
    m_pTabBar->setUsesScrollButtons(true);
    m_pStack = new QStackedWidget(this);
    for (EOptionsPage ePage : OptionsPagesFor(state))
    {
        COptionsPage* pPage = MakePage(ePage, *m_pContext);
        m_pages.emplace_back(ePage, pPage);
        m_pTabBar->addTab(pPage->Caption());
        m_pStack->addWidget(pPage);
    }

    auto* pButtons = new QDialogButtonBox(this);
    m_pOk = pButtons->addButton(QDialogButtonBox::Ok);
    m_pCancel = pButtons->addButton(QDialogButtonBox::Cancel);
    m_pOk->setText(QStringLiteral("OK"));
    m_pCancel->setText(QStringLiteral("Cancel"));
    m_pOk->setDefault(true);
    connect(m_pOk, &QPushButton::clicked, this, &COptionsSheet::accept);
    connect(m_pCancel, &QPushButton::clicked, this, &COptionsSheet::reject);

    auto* pLayout = new QVBoxLayout(this);
    pLayout->setSizeConstraint(QLayout::SetFixedSize);
    pLayout->setSpacing(0);
    pLayout->addWidget(m_pTabBar);
    pLayout->addWidget(m_pStack);
    pLayout->addSpacing(8);
    pLayout->addWidget(pButtons);

    // The keys a tabbed dialog offers for changing pages.
    const auto step = [this](int nDelta)
    {
        if (PageCount() > 0)
            m_pTabBar->setCurrentIndex((m_nCurrent + nDelta + PageCount()) % PageCount());
    };
    for (const QKeySequence& key :
         {QKeySequence(Qt::CTRL | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_PageDown)})
        connect(new QShortcut(key, this), &QShortcut::activated, this, [step] { step(1); });
    for (const QKeySequence& key : {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab),
                                    QKeySequence(Qt::CTRL | Qt::Key_PageUp)})
        connect(new QShortcut(key, this), &QShortcut::activated, this, [step] { step(-1); });

    connect(m_pTabBar, &QTabBar::currentChanged, this, &COptionsSheet::OnTabChanged);
    m_nCurrent = PageCount() > 0 ? 0 : -1;
}

COptionsSheet::~COptionsSheet() = default;

COptionsPage* COptionsSheet::Page(int nIndex) const
{
    if (nIndex < 0 || nIndex >= PageCount())
        return nullptr;
    return m_pages[static_cast<size_t>(nIndex)].second;
}

COptionsPage* COptionsSheet::FindPage(EOptionsPage ePage) const
{
    for (const auto& [eKind, pPage] : m_pages)
    {
        if (eKind == ePage)
            return pPage;
    }
    return nullptr;
}

bool COptionsSheet::SetCurrentPage(int nIndex)
{
    m_pTabBar->setCurrentIndex(nIndex);
    return m_nCurrent == nIndex;
}

void COptionsSheet::showEvent(QShowEvent* pEvent)
{
    QDialog::showEvent(pEvent);
    if (m_nCurrent >= 0)
        Activate(m_nCurrent);
}

void COptionsSheet::OnTabChanged(int nIndex)
{
    if (m_bReverting || nIndex == m_nCurrent)
        return;
    COptionsPage* pOld = Page(m_nCurrent);
    if (pOld != nullptr && pOld->IsCreated() && !pOld->OnKillActive())
    {
        // The page stays: the tab bar goes back without showing the other page.
        m_bReverting = true;
        m_pTabBar->setCurrentIndex(m_nCurrent);
        m_bReverting = false;
        return;
    }
    m_nCurrent = nIndex;
    Activate(nIndex);
}

void COptionsSheet::Activate(int nIndex)
{
    COptionsPage* pPage = Page(nIndex);
    if (pPage == nullptr)
        return;
    m_pStack->setCurrentWidget(pPage);
    pPage->EnsureCreated();
}

void COptionsSheet::accept()
{
    COptionsPage* pCurrent = Page(m_nCurrent);
    if (pCurrent != nullptr && pCurrent->IsCreated() && !pCurrent->OnKillActive())
        return;
    for (const auto& entry : m_pages)
    {
        if (entry.second->IsCreated())
            entry.second->OnOK();
    }
    CopyOutOfSheet(m_values, m_state, m_doc);
    m_doc.SaveSettings();
    m_strActionText = QString::fromUtf8(ActionButtonText(m_doc.Move));
    bool bLoginRefused = false;
    RegisterRunAtBoot(m_doc.Store(), m_autostart, m_doc.Path, m_doc.Run, m_doc.Visible,
                      &bLoginRefused);
    if (bLoginRefused)
        m_pContext->messageBox.Show(OkPrompt(LOGIN_ENTRY_REFUSED_TEXT));
    QDialog::accept();
}

SOptionsOutcome RunOptionsSheet(QWidget* pParent, CScrubixDoc& doc, ViewState state,
                                IAutostart& autostart)
{
    COptionsSheet sheet(doc, state, autostart, pParent);
    SOptionsOutcome outcome;
    outcome.bAccepted = sheet.exec() == QDialog::Accepted;
    if (outcome.bAccepted)
        outcome.strActionText = sheet.ActionText();
    return outcome;
}
