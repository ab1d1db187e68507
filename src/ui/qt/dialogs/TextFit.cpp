#include "TextFit.h"

#include "ui/rules/TextFit.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <algorithm>

namespace
{
constexpr int UNBOUNDED_HEIGHT = 1 << 20;

// A button's text as drawn: the mnemonic marks removed.
QString ShownButtonText(const QString& strText)
{
    QString shown;
    shown.reserve(strText.size());
    for (qsizetype i = 0; i < strText.size(); ++i)
    {
        if (strText[i] == u'&' && i + 1 < strText.size())
        {
            ++i;
        }
        shown += strText[i];
    }
    return shown;
}

// What a label spends around its text: frame, contents margins, margin and
// the effective indent (half an "x" when it has a frame and no indent set).
QSize LabelChrome(const QLabel* pLabel)
{
    const QRect contents = pLabel->contentsRect();
    int nWidth = pLabel->width() - contents.width() + 2 * pLabel->margin();
    const int nHeight = pLabel->height() - contents.height() + 2 * pLabel->margin();
    int nIndent = pLabel->indent();
    if (nIndent < 0)
    {
        nIndent = pLabel->frameWidth() > 0 ? pLabel->fontMetrics().horizontalAdvance(u'x') / 2 : 0;
    }
    nWidth += nIndent;
    return QSize(nWidth, nHeight);
}

bool IsTextLabel(const QLabel* pLabel)
{
    return pLabel != nullptr && !pLabel->text().isEmpty() && pLabel->pixmap().isNull();
}

// The text of a label laid out in a given width of its own (chrome included).
QSize LabelTextSize(const QLabel* pLabel, int nWidth)
{
    const QFontMetrics metrics = pLabel->fontMetrics();
    const QSize chrome = LabelChrome(pLabel);
    QSize text;
    if (pLabel->wordWrap())
    {
        const int nTextWidth = std::max(1, nWidth - chrome.width());
        text =
            metrics
                .boundingRect(QRect(0, 0, nTextWidth, UNBOUNDED_HEIGHT),
                              Qt::TextWordWrap | Qt::TextExpandTabs |
                                  static_cast<int>(pLabel->alignment() & Qt::AlignHorizontal_Mask),
                              pLabel->text())
                .size();
    }
    else
    {
        text = metrics.size(Qt::TextExpandTabs, pLabel->text());
    }
    return text + chrome;
}

ETextFitSide HorizontalPreference(const QWidget* pWidget)
{
    if (const auto* pLabel = qobject_cast<const QLabel*>(pWidget))
    {
        const Qt::Alignment align = pLabel->alignment();
        if (align & Qt::AlignHCenter)
        {
            return ETextFitSide::Both;
        }
        return (align & Qt::AlignRight) ? ETextFitSide::End : ETextFitSide::Start;
    }
    if (qobject_cast<const QPushButton*>(pWidget) != nullptr)
    {
        return ETextFitSide::Both;
    }
    return ETextFitSide::Start;
}

// A widget as the shared growth rule sees it.
STextFitControl FitControl(const QWidget* pWidget)
{
    STextFitControl control;
    const QRect geometry = pWidget->geometry();
    control.rect = {geometry.left(), geometry.top(), geometry.width(), geometry.height()};
    if (const auto* pGroup = qobject_cast<const QGroupBox*>(pWidget))
    {
        control.bGroupBox = true;
        control.nTitleHeight = pGroup->fontMetrics().height();
    }
    if (const std::optional<QSize> need = TextSizeNeeded(pWidget))
    {
        control.bHasText = true;
        control.nNeedWidth = need->width();
        control.nNeedHeight = need->height();
    }
    control.eSide = HorizontalPreference(pWidget);
    const auto* pLabel = qobject_cast<const QLabel*>(pWidget);
    if (pLabel != nullptr && pLabel->wordWrap())
    {
        control.bWraps = true;
        control.heightAtWidth = [pLabel](int32_t nWidth)
        { return LabelTextSize(pLabel, nWidth).height(); };
        control.nWidenStep = std::max(1, pLabel->fontMetrics().averageCharWidth());
    }
    return control;
}
} // namespace

std::optional<QSize> TextSizeNeeded(const QWidget* pWidget)
{
    if (const auto* pLabel = qobject_cast<const QLabel*>(pWidget))
    {
        if (!IsTextLabel(pLabel))
        {
            return std::nullopt;
        }
        return LabelTextSize(pLabel, pLabel->width());
    }
    if (qobject_cast<const QCheckBox*>(pWidget) != nullptr ||
        qobject_cast<const QRadioButton*>(pWidget) != nullptr)
    {
        const auto* pButton = static_cast<const QAbstractButton*>(pWidget);
        if (pButton->text().isEmpty())
        {
            return std::nullopt;
        }
        return QSize(pButton->sizeHint().width(), pButton->fontMetrics().height());
    }
    if (const auto* pButton = qobject_cast<const QPushButton*>(pWidget))
    {
        if (pButton->text().isEmpty())
        {
            return std::nullopt;
        }
        const QStyle* pStyle = pButton->style();
        const int nChrome =
            2 * (pStyle->pixelMetric(QStyle::PM_ButtonMargin, nullptr, pButton) +
                 pStyle->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, pButton));
        const QFontMetrics metrics = pButton->fontMetrics();
        return QSize(metrics.horizontalAdvance(ShownButtonText(pButton->text())) + nChrome,
                     metrics.height());
    }
    if (const auto* pGroup = qobject_cast<const QGroupBox*>(pWidget))
    {
        if (pGroup->title().isEmpty())
        {
            return std::nullopt;
        }
        // The title sits inset from the frame's corner on both sides.
        const QFontMetrics metrics = pGroup->fontMetrics();
        return QSize(metrics.horizontalAdvance(pGroup->title()) + 4 * metrics.averageCharWidth(),
                     metrics.height());
    }
    return std::nullopt;
}

bool TextFits(const QWidget* pWidget)
{
    const std::optional<QSize> need = TextSizeNeeded(pWidget);
    return !need || (need->width() <= pWidget->width() && need->height() <= pWidget->height());
}

void GrowTextsToFit(const std::vector<QWidget*>& widgets, QWidget* pParent, int nMargin)
{
    std::vector<STextFitControl> controls;
    controls.reserve(widgets.size());
    for (const QWidget* pWidget : widgets)
    {
        controls.push_back(FitControl(pWidget));
    }
    GrowTextsToFit(controls, pParent->width(), pParent->height(), nMargin);
    for (size_t i = 0; i < widgets.size(); ++i)
    {
        const STextFitRect& rect = controls[i].rect;
        const QRect grown(rect.nLeft, rect.nTop, rect.nWidth, rect.nHeight);
        if (grown != widgets[i]->geometry())
        {
            widgets[i]->setGeometry(grown);
        }
    }
}
