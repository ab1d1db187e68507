#include "TextFit.h"

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

bool Contains(const QRect& outer, const QRect& inner)
{
    return outer.contains(inner.topLeft()) && outer.contains(inner.bottomRight());
}

// How far a rectangle may grow on each side: the limits of its edges.
struct SLimits
{
    int nLeft = 0;
    int nTop = 0;
    int nRight = 0;
    int nBottom = 0;
};

SLimits OuterLimits(const QWidget* pSelf, const QRect& rect, const std::vector<QWidget*>& widgets,
                    const QWidget* pParent, int nMargin)
{
    const QRect bounds = pParent->rect().adjusted(nMargin, nMargin, -nMargin, -nMargin);
    SLimits limits{std::min(rect.left(), bounds.left()), std::min(rect.top(), bounds.top()),
                   std::max(rect.right(), bounds.right()),
                   std::max(rect.bottom(), bounds.bottom())};
    for (const QWidget* pOther : widgets)
    {
        const auto* pGroup = qobject_cast<const QGroupBox*>(pOther);
        if (pOther == pSelf || pGroup == nullptr || !Contains(pGroup->geometry(), rect))
        {
            continue;
        }
        // Inside the frame and below the title of the group that holds it.
        const QRect inside = pGroup->geometry().adjusted(nMargin, pGroup->fontMetrics().height(),
                                                         -nMargin, -nMargin);
        limits.nLeft = std::max(limits.nLeft, std::min(rect.left(), inside.left()));
        limits.nTop = std::max(limits.nTop, std::min(rect.top(), inside.top()));
        limits.nRight = std::min(limits.nRight, std::max(rect.right(), inside.right()));
        limits.nBottom = std::min(limits.nBottom, std::max(rect.bottom(), inside.bottom()));
    }
    return limits;
}

// The limits left and right of the rectangle's band by the controls beside it.
void LimitSideways(SLimits& limits, const QWidget* pSelf, const QRect& original, const QRect& rect,
                   const std::vector<QWidget*>& widgets, int nMargin)
{
    for (const QWidget* pOther : widgets)
    {
        const QRect other = pOther->geometry();
        if (pOther == pSelf || other.intersects(original))
        {
            continue;
        }
        if (other.bottom() < rect.top() || other.top() > rect.bottom())
        {
            continue;
        }
        if (other.right() < rect.left())
        {
            limits.nLeft =
                std::max(limits.nLeft, std::min(rect.left(), other.right() + 1 + nMargin));
        }
        else if (other.left() > rect.right())
        {
            limits.nRight =
                std::min(limits.nRight, std::max(rect.right(), other.left() - 1 - nMargin));
        }
    }
}

// The limits above and below the rectangle's column by the controls there.
void LimitUpDown(SLimits& limits, const QWidget* pSelf, const QRect& original, const QRect& rect,
                 const std::vector<QWidget*>& widgets, int nMargin)
{
    for (const QWidget* pOther : widgets)
    {
        const QRect other = pOther->geometry();
        if (pOther == pSelf || other.intersects(original))
        {
            continue;
        }
        if (other.right() < rect.left() || other.left() > rect.right())
        {
            continue;
        }
        if (other.bottom() < rect.top())
        {
            limits.nTop = std::max(limits.nTop, std::min(rect.top(), other.bottom() + 1 + nMargin));
        }
        else if (other.top() > rect.bottom())
        {
            limits.nBottom =
                std::min(limits.nBottom, std::max(rect.bottom(), other.top() - 1 - nMargin));
        }
    }
}

enum class ESide
{
    Start, // the left (or top) edge stays where it is first
    End,   // the right (or bottom) edge stays first
    Both,  // centred: both edges move
};

// Splits nExtra pixels between the two sides as the preference says, within
// the room each side has. Returns what each side takes.
std::pair<int, int> Split(int nExtra, int nRoomBefore, int nRoomAfter, ESide ePreference)
{
    int nBefore = 0;
    int nAfter = 0;
    switch (ePreference)
    {
    case ESide::Start:
        nAfter = std::min(nExtra, nRoomAfter);
        nBefore = std::min(nExtra - nAfter, nRoomBefore);
        break;
    case ESide::End:
        nBefore = std::min(nExtra, nRoomBefore);
        nAfter = std::min(nExtra - nBefore, nRoomAfter);
        break;
    case ESide::Both:
        nBefore = std::min(nExtra / 2, nRoomBefore);
        nAfter = std::min(nExtra - nBefore, nRoomAfter);
        nBefore = std::min(nExtra - nAfter, nRoomBefore);
        break;
    }
    return {nBefore, nAfter};
}

ESide HorizontalPreference(const QWidget* pWidget)
{
    if (const auto* pLabel = qobject_cast<const QLabel*>(pWidget))
    {
        const Qt::Alignment align = pLabel->alignment();
        if (align & Qt::AlignHCenter)
        {
            return ESide::Both;
        }
        return (align & Qt::AlignRight) ? ESide::End : ESide::Start;
    }
    if (qobject_cast<const QPushButton*>(pWidget) != nullptr)
    {
        return ESide::Both;
    }
    return ESide::Start;
}

QRect Widen(const QRect& rect, int nExtra, const SLimits& limits, ESide ePreference)
{
    const auto [nLeft, nRight] =
        Split(nExtra, rect.left() - limits.nLeft, limits.nRight - rect.right(), ePreference);
    return rect.adjusted(-nLeft, 0, nRight, 0);
}

void GrowOne(QWidget* pWidget, const std::vector<QWidget*>& widgets, QWidget* pParent, int nMargin)
{
    if (qobject_cast<QGroupBox*>(pWidget) != nullptr || TextFits(pWidget))
    {
        return;
    }
    const QRect original = pWidget->geometry();
    const ESide ePreference = HorizontalPreference(pWidget);
    SLimits limits = OuterLimits(pWidget, original, widgets, pParent, nMargin);
    LimitSideways(limits, pWidget, original, original, widgets, nMargin);

    QRect rect = original;
    const QSize need = *TextSizeNeeded(pWidget);
    if (need.width() > rect.width())
    {
        rect = Widen(rect, need.width() - rect.width(), limits, ePreference);
    }
    auto* pLabel = qobject_cast<QLabel*>(pWidget);
    if (pLabel != nullptr && pLabel->wordWrap())
    {
        // More lines than the rectangle holds: taller first (the lines keep
        // their breaks as far as possible), then wider a letter at a time.
        int nHeight = LabelTextSize(pLabel, rect.width()).height();
        if (nHeight > rect.height())
        {
            LimitUpDown(limits, pWidget, original, rect, widgets, nMargin);
            const auto [nUp, nDown] = Split(nHeight - rect.height(), rect.top() - limits.nTop,
                                            limits.nBottom - rect.bottom(), ESide::Start);
            rect.adjust(0, -nUp, 0, nDown);
            LimitSideways(limits, pWidget, original, rect, widgets, nMargin);
        }
        const int nStep = std::max(1, pLabel->fontMetrics().averageCharWidth());
        while ((nHeight = LabelTextSize(pLabel, rect.width()).height()) > rect.height())
        {
            const QRect wider = Widen(rect, nStep, limits, ePreference);
            if (wider == rect)
            {
                break;
            }
            rect = wider;
        }
    }
    else if (need.height() > rect.height())
    {
        LimitUpDown(limits, pWidget, original, rect, widgets, nMargin);
        const auto [nUp, nDown] = Split(need.height() - rect.height(), rect.top() - limits.nTop,
                                        limits.nBottom - rect.bottom(), ESide::Both);
        rect.adjust(0, -nUp, 0, nDown);
    }
    pWidget->setGeometry(rect);
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
    for (QWidget* pWidget : widgets)
    {
        GrowOne(pWidget, widgets, pParent, nMargin);
    }
}
