#include "CTemplateBuilder.h"

#include "FontBaseUnits.h"
#include "IconResources.h"
#include "TextFit.h"

#include <QAbstractItemView>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeView>
#include <algorithm>

namespace
{
bool IsLabel(EControlKind eKind)
{
    return eKind == EControlKind::LabelLeft || eKind == EControlKind::LabelRight ||
           eKind == EControlKind::LabelCentre;
}

// Controls whose own text names them for assistive technology.
bool TextNamesControl(EControlKind eKind)
{
    switch (eKind)
    {
    case EControlKind::PushButton:
    case EControlKind::DefPushButton:
    case EControlKind::CheckBox:
    case EControlKind::RadioButton:
    case EControlKind::GroupBox:
    case EControlKind::LabelLeft:
    case EControlKind::LabelRight:
    case EControlKind::LabelCentre:
        return true;
    default:
        return false;
    }
}

Qt::Alignment LabelAlignment(EControlKind eKind)
{
    switch (eKind)
    {
    case EControlKind::LabelRight:
        return Qt::AlignRight | Qt::AlignTop;
    case EControlKind::LabelCentre:
        return Qt::AlignHCenter | Qt::AlignTop;
    default:
        return Qt::AlignLeft | Qt::AlignTop;
    }
}
} // namespace

CTemplateBuilder::CTemplateBuilder(const SDialogTemplate& dialogTemplate)
    : CTemplateBuilder(dialogTemplate,
                       FontForTemplate(dialogTemplate.pszFontName, dialogTemplate.nFontPoints))
{
}

CTemplateBuilder::CTemplateBuilder(const SDialogTemplate& dialogTemplate, const QFont& font)
    : m_template(dialogTemplate), m_font(font), m_base(BaseUnitsForFont(font))
{
}

void CTemplateBuilder::SetFactory(int32_t nControlId, Factory factory)
{
    m_factories[nControlId] = std::move(factory);
}

QString CTemplateBuilder::LabelText(const char* pszText)
{
    const QString text = QString::fromUtf8(pszText != nullptr ? pszText : "");
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i)
    {
        if (text[i] == u'&')
        {
            if (i + 1 < text.size() && text[i + 1] == u'&')
            {
                result += u'&';
                ++i;
            }
            continue;
        }
        result += text[i];
    }
    return result;
}

QString CTemplateBuilder::AccessibleText(const char* pszText)
{
    QString text = LabelText(pszText);
    text.replace(u'\n', u' ');
    return text.simplified();
}

QRect CTemplateBuilder::ToPixels(int32_t nLeft, int32_t nTop, int32_t nWidth, int32_t nHeight) const
{
    const SUnitRect pixels = DialogRectToPixels(SUnitRect{nLeft, nTop, nWidth, nHeight}, m_base);
    return QRect(pixels.nLeft, pixels.nTop, pixels.nWidth, pixels.nHeight);
}

QSize CTemplateBuilder::TemplateSizeInPixels() const
{
    return QSize(DialogUnitsToPixelsX(m_template.nWidth, m_base),
                 DialogUnitsToPixelsY(m_template.nHeight, m_base));
}

QWidget* CTemplateBuilder::Control(int32_t nControlId) const
{
    const auto it = m_byId.find(nControlId);
    return it == m_byId.end() ? nullptr : it->second;
}

QPixmap CTemplateBuilder::LoadPicture(const char* pszName)
{
    if (pszName == nullptr || *pszName == '\0')
    {
        return QPixmap();
    }
    // An icon shows at its own size, 32 pixels (64 on a doubled screen),
    // from the top left of its control.
    InitIconResources();
    const QString strName = QString::fromUtf8(pszName);
    QIcon icon;
    for (int nSide : {32, 64})
    {
        const QString strFile = QStringLiteral(":/icons/%1-%2.png").arg(strName).arg(nSide);
        if (QFile::exists(strFile))
        {
            icon.addFile(strFile, QSize(nSide, nSide));
        }
    }
    return icon.isNull() ? QPixmap() : icon.pixmap(QSize(32, 32));
}

QWidget* CTemplateBuilder::CreateWidget(QWidget* pParent, const SControlTemplate& control)
{
    const auto factory = m_factories.find(control.nId);
    if (factory != m_factories.end())
    {
        return factory->second(pParent, control);
    }
    const QString text = QString::fromUtf8(control.pszText != nullptr ? control.pszText : "");
    switch (control.eKind)
    {
    case EControlKind::PushButton:
    case EControlKind::DefPushButton:
    {
        auto* pButton = new QPushButton(text, pParent);
        pButton->setDefault(control.eKind == EControlKind::DefPushButton);
        return pButton;
    }
    case EControlKind::LabelLeft:
    case EControlKind::LabelRight:
    case EControlKind::LabelCentre:
    {
        auto* pLabel = new QLabel(LabelText(control.pszText), pParent);
        pLabel->setTextFormat(Qt::PlainText);
        pLabel->setAlignment(LabelAlignment(control.eKind));
        pLabel->setWordWrap((control.nStyle & STYLE_WRAP) != 0);
        if ((control.nStyle & STYLE_BORDER) != 0)
        {
            pLabel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        }
        return pLabel;
    }
    case EControlKind::CheckBox:
        return new QCheckBox(text, pParent);
    case EControlKind::RadioButton:
    {
        auto* pRadio = new QRadioButton(text, pParent);
        if (m_pRadioGroup == nullptr || (control.nStyle & STYLE_GROUP) != 0)
        {
            m_pRadioGroup = new QButtonGroup(pParent);
            m_pRadioGroup->setExclusive(true);
        }
        m_pRadioGroup->addButton(pRadio, control.nId);
        return pRadio;
    }
    case EControlKind::Edit:
    {
        auto* pEdit = new QLineEdit(pParent);
        pEdit->setReadOnly((control.nStyle & STYLE_READONLY) != 0);
        return pEdit;
    }
    case EControlKind::ListBox:
    {
        auto* pList = new QListWidget(pParent);
        pList->setSortingEnabled((control.nStyle & STYLE_SORTED) != 0);
        pList->setSelectionMode((control.nStyle & STYLE_MULTISEL) != 0
                                    ? QAbstractItemView::ExtendedSelection
                                    : QAbstractItemView::SingleSelection);
        pList->setVerticalScrollBarPolicy(
            (control.nStyle & STYLE_VSCROLL) != 0 ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
        pList->setHorizontalScrollBarPolicy(
            (control.nStyle & STYLE_HSCROLL) != 0 ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
        return pList;
    }
    case EControlKind::ComboDropDownList:
    {
        auto* pCombo = new QComboBox(pParent);
        pCombo->setEditable(false);
        if ((control.nStyle & STYLE_SORTED) != 0)
        {
            pCombo->setInsertPolicy(QComboBox::InsertAlphabetically);
        }
        return pCombo;
    }
    case EControlKind::ListView:
    {
        auto* pView = new QTreeView(pParent);
        pView->setRootIsDecorated(false);
        pView->setItemsExpandable(false);
        pView->setUniformRowHeights(true);
        pView->setAllColumnsShowFocus(true);
        pView->setSelectionBehavior(QAbstractItemView::SelectRows);
        pView->header()->setStretchLastSection(false);
        pView->setFrameShape((control.nStyle & STYLE_BORDER) != 0 ? QFrame::StyledPanel
                                                                  : QFrame::NoFrame);
        return pView;
    }
    case EControlKind::GroupBox:
    {
        auto* pGroup = new QGroupBox(LabelText(control.pszText), pParent);
        return pGroup;
    }
    case EControlKind::ProgressBar:
    {
        auto* pBar = new QProgressBar(pParent);
        pBar->setTextVisible(false);
        return pBar;
    }
    case EControlKind::Picture:
    {
        auto* pPicture = new QLabel(pParent);
        pPicture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        const QPixmap picture = LoadPicture(control.pszText);
        if (!picture.isNull())
        {
            pPicture->setPixmap(picture);
        }
        return pPicture;
    }
    case EControlKind::Custom:
        return nullptr;
    }
    return nullptr;
}

bool CTemplateBuilder::Build(QWidget* pParent, bool bSizeParent)
{
    if (bSizeParent)
    {
        pParent->setFont(m_font);
        pParent->setFixedSize(TemplateSizeInPixels());
    }
    QWidget* pPreviousInChain = nullptr;
    QString strLastLabel;
    int nStaticIndex = 0;
    for (const SControlTemplate& control : m_template.controls)
    {
        QWidget* pWidget = CreateWidget(pParent, control);
        if (pWidget == nullptr)
        {
            return false;
        }
        pWidget->setFont(m_font);
        if (control.nId == ID_STATIC)
        {
            pWidget->setObjectName(QStringLiteral("static_%1").arg(nStaticIndex++));
        }
        else
        {
            pWidget->setObjectName(QStringLiteral("idc_%1").arg(control.nId));
            m_byId.emplace(control.nId, pWidget);
        }
        m_widgets.push_back(pWidget);

        QRect rect = ToPixels(control.nLeft, control.nTop, control.nWidth, control.nHeight);
        if (control.eKind == EControlKind::ComboDropDownList)
        {
            // The closed box is as tall as the font needs; the template height
            // bounds the dropped list.
            auto* pCombo = qobject_cast<QComboBox*>(pWidget);
            rect.setHeight(pWidget->sizeHint().height());
            if (pCombo != nullptr && m_base.nCharHeight > 0)
            {
                const int nListPixels = DialogUnitsToPixelsY(control.nHeight, m_base);
                pCombo->setMaxVisibleItems(std::max(1, nListPixels / m_base.nCharHeight - 1));
            }
        }
        pWidget->setGeometry(rect);

        if (control.pszAccessibleName != nullptr)
        {
            pWidget->setAccessibleName(QString::fromUtf8(control.pszAccessibleName));
        }
        else if (!TextNamesControl(control.eKind) && !strLastLabel.isEmpty())
        {
            pWidget->setAccessibleName(strLastLabel);
        }
        if (IsLabel(control.eKind))
        {
            strLastLabel = AccessibleText(control.pszText);
        }

        if (pWidget->focusPolicy() != Qt::NoFocus)
        {
            if ((control.nStyle & STYLE_TABSTOP) != 0)
            {
                pWidget->setFocusPolicy(Qt::StrongFocus);
                if (pPreviousInChain != nullptr)
                {
                    QWidget::setTabOrder(pPreviousInChain, pWidget);
                }
                pPreviousInChain = pWidget;
            }
            else
            {
                pWidget->setFocusPolicy(Qt::ClickFocus);
            }
        }
        pWidget->setEnabled((control.nStyle & STYLE_DISABLED) == 0);
        if ((control.nStyle & STYLE_HIDDEN) != 0)
        {
            pWidget->hide();
        }
        else if (pParent->isVisible())
        {
            pWidget->show();
        }
    }
    // Texts drawn in a font of other proportions than the template's may need
    // a little more room than their rectangles; they take it from the space
    // around them.
    GrowTextsToFit(m_widgets, pParent, std::max(1, DialogUnitsToPixelsX(1, m_base)));
    return true;
}

Qt::WindowFlags CTemplateBuilder::WindowFlags(const SDialogTemplate& dialogTemplate)
{
    // Fixed-size dialogs: never a minimise or maximise box; a close box only
    // with the system menu.
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint;
    if ((dialogTemplate.nStyle & DIALOG_CAPTION) != 0)
    {
        flags |= Qt::WindowTitleHint;
    }
    if ((dialogTemplate.nStyle & DIALOG_SYSMENU) != 0)
    {
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    }
    return flags;
}

void CTemplateBuilder::ApplyWindowFrame(QWidget* pWindow) const
{
    pWindow->setWindowFlags(WindowFlags(m_template));
    pWindow->setWindowTitle(QString::fromUtf8(m_template.pszCaption));
}
