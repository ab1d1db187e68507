#include "CAboutDialog.h"

#include "CStaticLink.h"
#include "CTemplateBuilder.h"
#include "ui/res/AboutTexts.h"
#include "ui/res/ResourceIds.h"
#include "ui/res/Templates.h"

#include <QLabel>
#include <QPushButton>

CAboutDialog::CAboutDialog(IShell& shell, int& bEmailVisited, int& bWebVisited,
                           const QString& strWebTarget, QWidget* pParent)
    : QDialog(pParent)
{
    CTemplateBuilder builder(GetAboutTemplate());
    builder.ApplyWindowFrame(this);
    auto makeLink = [](QWidget* pParentWidget, const SControlTemplate& control) -> QWidget*
    {
        auto* pLink = new CStaticLink(pParentWidget);
        pLink->SetLinkText(QString::fromUtf8(control.pszText));
        pLink->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        return pLink;
    };
    builder.SetFactory(IDC_LINK_EMAIL, makeLink);
    builder.SetFactory(IDC_LINK_WEB, makeLink);
    builder.Build(this);

    // The flags are pointed at before the links are first drawn.
    m_pLinkEmail = builder.ControlAs<CStaticLink>(IDC_LINK_EMAIL);
    m_pLinkWeb = builder.ControlAs<CStaticLink>(IDC_LINK_WEB);
    m_pLinkEmail->SetVisitedFlag(&bEmailVisited);
    m_pLinkEmail->SetShell(&shell);
    m_pLinkEmail->SetMailLocalPart(QString::fromUtf8(ABOUT_EMAIL_LOCAL_PART));
    m_pLinkWeb->SetVisitedFlag(&bWebVisited);
    m_pLinkWeb->SetShell(&shell);
    m_pLinkWeb->SetLink(strWebTarget);
    // The builder names a custom control after the label before it; a link
    // is named by its own text.
    for (CStaticLink* pLink : {m_pLinkEmail, m_pLinkWeb})
        pLink->SetLinkText(pLink->text());

    // OK is the default button and has the focus when the box opens, so
    // Enter closes it; the links take the focus only by Tab.
    if (auto* pOk = builder.ControlAs<QPushButton>(ID_RESULT_OK))
    {
        connect(pOk, &QPushButton::clicked, this, &QDialog::accept);
        pOk->setDefault(true);
        pOk->setFocus(Qt::OtherFocusReason);
    }
    // The focus is shown from the start (as after a Tab), so it is plain
    // where Enter goes.
    setAttribute(Qt::WA_KeyboardFocusChange);
    m_pLinkEmail->setFocusPolicy(Qt::TabFocus);
    m_pLinkWeb->setFocusPolicy(Qt::TabFocus);
}
