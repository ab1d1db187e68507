#include "COptionsPage.h"

#include "IPathPicker.h"
#include "settings/CScrubixDoc.h"
#include "ui/res/Templates.h"
#include "ui/rules/HostPaths.h"
#include "ui/rules/IMessageBox.h"

#include <QLabel>

namespace
{
const SDialogTemplate& TemplateOf(int32_t nTemplateId)
{
    // Every page's template is compiled in; an unknown id is a programming error
    // that would show as an empty page.
    static const SDialogTemplate kEmpty{};
    const SDialogTemplate* pTemplate = FindTemplate(nTemplateId);
    return pTemplate != nullptr ? *pTemplate : kEmpty;
}
} // namespace

COptionsPage::COptionsPage(int32_t nTemplateId, SPageContext& context, QWidget* pParent)
    : QWidget(pParent), m_template(TemplateOf(nTemplateId)), m_context(context)
{
    // The size is known before the controls exist, so the sheet can size
    // itself for every page at once.
    const CTemplateBuilder sizing(m_template);
    setFont(sizing.Font());
    setFixedSize(sizing.TemplateSizeInPixels());
    setAccessibleName(Caption());
}

COptionsPage::~COptionsPage() = default;

QString COptionsPage::Caption() const
{
    return QString::fromUtf8(m_template.pszCaption);
}

void COptionsPage::EnsureCreated()
{
    if (m_pBuilder != nullptr)
        return;
    m_pBuilder = std::make_unique<CTemplateBuilder>(m_template);
    AddFactories(*m_pBuilder);
    m_pBuilder->Build(this);
    // The application icon, where the template shows it.
    const std::vector<QWidget*>& widgets = m_pBuilder->Widgets();
    for (size_t i = 0; i < widgets.size() && i < m_template.controls.size(); ++i)
    {
        auto* pPicture = qobject_cast<QLabel*>(widgets[i]);
        if (m_template.controls[i].eKind == EControlKind::Picture && pPicture != nullptr &&
            !windowIcon().isNull())
            pPicture->setPixmap(windowIcon().pixmap(pPicture->size()));
    }
    OnInitPage();
}

QWidget* COptionsPage::Control(int32_t nControlId) const
{
    return m_pBuilder != nullptr ? m_pBuilder->Control(nControlId) : nullptr;
}

std::string COptionsPage::PickerStart(const std::vector<std::string>& candidates) const
{
    CScrubixDoc& doc = m_context.doc;
    return PickerStartFolder(candidates, doc.Store().GetString("Settings", "Drive", ""),
                             doc.FileSystem());
}

std::optional<std::string> COptionsPage::TakeChoice(const SPathChoice& choice) const
{
    if (!choice.bChosen)
        return std::nullopt;
    if (!choice.windowsPath)
    {
        m_context.messageBox.Show(
            ChoiceOffDrivesPrompt(choice.strHostPath, m_context.doc.FileSystem()));
        return std::nullopt;
    }
    return choice.windowsPath;
}
