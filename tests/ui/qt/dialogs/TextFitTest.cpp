// Whole texts in every template: the templates' rectangles were sized for a
// narrower face than the one here, so the builder lets a text that does not
// fit grow into the free space around it. Checked on the real dialogs (and
// the form, the Options pages and the entry dialog), in the font here and in
// a wider one, and on small templates that show each way of growing and its
// limits.

#include "ui/qt/dialogs/TextFit.h"

#include "platform/IShell.h"
#include "ui/qt/dialogs/CAboutDialog.h"
#include "ui/qt/dialogs/CProgressDialog.h"
#include "ui/qt/dialogs/CPurgeWarningDialog.h"
#include "ui/qt/dialogs/CStaticLink.h"
#include "ui/qt/dialogs/CTemplateBuilder.h"
#include "ui/qt/dialogs/CWelcomeDialog.h"
#include "ui/qt/dialogs/FontBaseUnits.h"
#include "ui/res/ResourceIds.h"
#include "ui/res/Templates.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <memory>

namespace
{
class CNoShell : public IShell
{
public:
    bool MoveToTrash(const std::string&, const SFileIdentity&) override { return false; }
    bool Open(const std::string&) override { return true; }
};

QString Describe(const QWidget* pWidget)
{
    QString strText;
    if (const auto* pLabel = qobject_cast<const QLabel*>(pWidget))
        strText = pLabel->text();
    else if (const auto* pButton = qobject_cast<const QAbstractButton*>(pWidget))
        strText = pButton->text();
    else if (const auto* pGroup = qobject_cast<const QGroupBox*>(pWidget))
        strText = pGroup->title();
    const std::optional<QSize> need = TextSizeNeeded(pWidget);
    return QStringLiteral("%1 \"%2\" in %3x%4, needs %5x%6")
        .arg(pWidget->objectName(), strText.left(40))
        .arg(pWidget->width())
        .arg(pWidget->height())
        .arg(need ? need->width() : 0)
        .arg(need ? need->height() : 0);
}

// Every text shows whole, by the fit rule and by the label's own size hint;
// no two controls overlap unless one is the group box that holds the other;
// everything lies inside the parent.
void VerifyWholeTexts(const QWidget* pParent, const QString& strWhere)
{
    const QList<QWidget*> children = pParent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    QVERIFY2(!children.isEmpty(), qPrintable(strWhere));
    for (const QWidget* pWidget : children)
    {
        const QString strWhat = strWhere + QStringLiteral(": ") + Describe(pWidget);
        QVERIFY2(TextFits(pWidget), qPrintable(strWhat));
        if (const auto* pLabel = qobject_cast<const QLabel*>(pWidget);
            pLabel != nullptr && !pLabel->text().isEmpty())
        {
            if (pLabel->wordWrap())
                QVERIFY2(pLabel->heightForWidth(pLabel->width()) <= pLabel->height(),
                         qPrintable(strWhat));
            else
                QVERIFY2(pLabel->sizeHint().width() <= pLabel->width() &&
                             pLabel->sizeHint().height() <= pLabel->height(),
                         qPrintable(strWhat));
        }
        if (const auto* pTick = qobject_cast<const QCheckBox*>(pWidget))
            QVERIFY2(pTick->sizeHint().width() <= pTick->width(), qPrintable(strWhat));
        QVERIFY2(pParent->rect().contains(pWidget->geometry()), qPrintable(strWhat));
        for (const QWidget* pOther : children)
        {
            if (pOther == pWidget || !pOther->geometry().intersects(pWidget->geometry()))
                continue;
            const bool bNested = (qobject_cast<const QGroupBox*>(pOther) != nullptr &&
                                  pOther->geometry().contains(pWidget->geometry())) ||
                                 (qobject_cast<const QGroupBox*>(pWidget) != nullptr &&
                                  pWidget->geometry().contains(pOther->geometry()));
            QVERIFY2(bNested,
                     qPrintable(strWhat + QStringLiteral(" overlaps ") + Describe(pOther)));
        }
    }
}

// A template built in a given font, with plain labels for custom controls.
std::unique_ptr<QWidget> BuildInFont(const SDialogTemplate& dialogTemplate, const QFont& font)
{
    auto pWindow = std::make_unique<QWidget>();
    CTemplateBuilder builder(dialogTemplate, font);
    for (const SControlTemplate& control : dialogTemplate.controls)
    {
        if (control.eKind != EControlKind::Custom)
            continue;
        builder.SetFactory(control.nId,
                           [](QWidget* pParent, const SControlTemplate& custom) -> QWidget*
                           {
                               auto* pLabel =
                                   new QLabel(QString::fromUtf8(custom.pszText), pParent);
                               pLabel->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
                               return pLabel;
                           });
    }
    if (!builder.Build(pWindow.get()))
        return nullptr;
    return pWindow;
}

// The Options sheet's pages and the entry dialog.
constexpr int kOptionsTemplateIds[] = {
    IDD_EXCLUDE_PAGE, IDD_FILTER_PAGE, IDD_DIRECTED_PAGE, IDD_FILES_PAGE, IDD_FOLDERS_PAGE,
    IDD_EXTEN_PAGE,   IDD_PURGE_PAGE,  IDD_RUN_PAGE,      IDD_OTHER_PAGE, IDD_ENTRY};

using enum EControlKind;

// Each way of growing, with a neighbour or an edge in the way.
constexpr SControlTemplate kGrowControls[] = {
    // Too narrow, room to the right: grows right, short of its neighbour.
    {10, LabelLeft, "A caption longer", 4, 4, 30, 8},
    {11, LabelLeft, "Next", 80, 4, 30, 8},
    // Right-aligned: grows to the left.
    {12, LabelRight, "Right aligned words here", 60, 16, 30, 8},
    // Centred: grows on both sides.
    {13, LabelCentre, "Centred words to show", 50, 28, 30, 8},
    // Wrapping text two lines short: grows downwards into the free space.
    {14, LabelLeft, "one two three four five six seven eight nine ten eleven twelve", 4, 40, 60, 8,
     STYLE_WRAP},
    // Inside a group box, against its edge: stays in the group.
    {ID_STATIC, GroupBox, "Group", 4, 80, 60, 30},
    {15, LabelLeft, "Words that need far more room than a group", 10, 92, 50, 8},
    // Fits: left exactly where the template puts it.
    {16, LabelLeft, "Ok", 120, 4, 20, 8},
};
constexpr SDialogTemplate kGrow{600, "Grow",       150, 120, DIALOG_CAPTION, "MS Sans Serif",
                                8,   kGrowControls};
} // namespace

class TextFitTest : public QObject
{
    Q_OBJECT

private slots:
    void dialogsShowWholeTexts()
    {
        CNoShell shell;
        int bEmailVisited = 0;
        int bWebVisited = 0;
        CAboutDialog about(shell, bEmailVisited, bWebVisited, QStringLiteral("file:///help"));
        VerifyWholeTexts(&about, QStringLiteral("About"));
        CWelcomeDialog welcome(shell, QStringLiteral("file:///help"));
        VerifyWholeTexts(&welcome, QStringLiteral("Welcome"));
        CPurgeWarningDialog warning;
        VerifyWholeTexts(&warning, QStringLiteral("Purge Warning"));
        CProgressDialog progress;
        progress.m_nTotal = 1;
        progress.Create();
        progress.Step(QStringLiteral("C:\\junk\\file.tmp"));
        VerifyWholeTexts(&progress, QStringLiteral("Progress"));
        QWidget form;
        CTemplateBuilder builder(GetFormTemplate());
        QVERIFY(builder.Build(&form));
        VerifyWholeTexts(&form, QStringLiteral("Form"));
    }

    // The nine pages of the Options sheet and the entry dialog, in their own
    // font: long static texts wrap inside their rectangles.
    void optionsPagesShowWholeTexts()
    {
        for (int nId : kOptionsTemplateIds)
        {
            const SDialogTemplate* pTemplate = FindTemplate(nId);
            QVERIFY(pTemplate != nullptr);
            QWidget page;
            CTemplateBuilder builder(*pTemplate);
            QVERIFY(builder.Build(&page));
            VerifyWholeTexts(&page, QString::fromUtf8(pTemplate->pszCaption));
        }
    }

    void templatesShowWholeTextsInAWiderFont_data()
    {
        QTest::addColumn<int>("nTemplate");
        QTest::addColumn<QString>("strFamily");
        QTest::addColumn<bool>("bBold");
        std::vector<int> ids = {IDD_ABOUTBOX, IDD_SCRUBIX_FORM, IDD_PROGRESS, IDD_PURGE_WARNING,
                                IDD_WELCOME};
        ids.insert(ids.end(), std::begin(kOptionsTemplateIds), std::end(kOptionsTemplateIds));
        for (int nId : ids)
        {
            const QByteArray name = QByteArray::number(nId);
            QTest::newRow(name + " bold") << nId << QString() << true;
            QTest::newRow(name + " serif") << nId << QStringLiteral("DejaVu Serif") << false;
        }
    }

    void templatesShowWholeTextsInAWiderFont()
    {
        QFETCH(int, nTemplate);
        QFETCH(QString, strFamily);
        QFETCH(bool, bBold);
        const SDialogTemplate* pTemplate = FindTemplate(nTemplate);
        QVERIFY(pTemplate != nullptr);
        QFont font = FontForTemplate(pTemplate->pszFontName, pTemplate->nFontPoints);
        if (!strFamily.isEmpty())
            font.setFamily(strFamily);
        font.setBold(bBold);
        const std::unique_ptr<QWidget> pWindow = BuildInFont(*pTemplate, font);
        QVERIFY(pWindow != nullptr);
        VerifyWholeTexts(pWindow.get(), QString::number(nTemplate));
    }

    void growsIntoFreeSpaceOnly()
    {
        QWidget window;
        CTemplateBuilder builder(kGrow);
        QVERIFY(builder.Build(&window));
        const auto Geometry = [&](int nId) { return builder.Control(nId)->geometry(); };
        const auto Placed = [&](int nId)
        {
            const SControlTemplate* pControl = kGrow.FindControl(nId);
            return builder.ToPixels(pControl->nLeft, pControl->nTop, pControl->nWidth,
                                    pControl->nHeight);
        };
        const int nGap = DialogUnitsToPixelsX(1, builder.BaseUnits());

        // Left-aligned: the left edge stays, the right edge stays short of "Next".
        QCOMPARE(Geometry(10).left(), Placed(10).left());
        QVERIFY(Geometry(10).width() > Placed(10).width());
        QVERIFY(Geometry(10).right() < Geometry(11).left() - nGap + 1);
        QVERIFY(TextFits(builder.Control(10)));
        QCOMPARE(Geometry(11), Placed(11));
        QVERIFY(TextFits(builder.Control(11)));

        // Right-aligned: the right edge stays.
        QCOMPARE(Geometry(12).right(), Placed(12).right());
        QVERIFY(Geometry(12).left() < Placed(12).left());
        QVERIFY(TextFits(builder.Control(12)));

        // Centred: both edges move, by about the same.
        const int nLeftMove = Placed(13).left() - Geometry(13).left();
        const int nRightMove = Geometry(13).right() - Placed(13).right();
        QVERIFY(nLeftMove > 0 && nRightMove > 0);
        QVERIFY(std::abs(nLeftMove - nRightMove) <= 1);
        QVERIFY(TextFits(builder.Control(13)));

        // Wrapping: taller, the top stays.
        QCOMPARE(Geometry(14).top(), Placed(14).top());
        QVERIFY(Geometry(14).height() > Placed(14).height());
        QVERIFY(TextFits(builder.Control(14)));

        // In a group box: never beyond its frame, even when the text stays cut.
        const QRect group = builder.Widgets()[5]->geometry();
        QVERIFY(group.contains(Geometry(15)));
        QVERIFY(Geometry(15).width() > Placed(15).width());
        QVERIFY(!TextFits(builder.Control(15)));

        // A text that fits stays exactly where the template puts it.
        QCOMPARE(Geometry(16), Placed(16));
    }

    void framesNeverHaveMaximiseBoxes()
    {
        CNoShell shell;
        int bEmailVisited = 0;
        int bWebVisited = 0;
        CAboutDialog about(shell, bEmailVisited, bWebVisited, QStringLiteral("file:///help"));
        for (const QWidget* pWindow : {static_cast<const QWidget*>(&about)})
        {
            QVERIFY(!(pWindow->windowFlags() & Qt::WindowMaximizeButtonHint));
            QVERIFY(!(pWindow->windowFlags() & Qt::WindowMinimizeButtonHint));
            QVERIFY(pWindow->windowFlags() & Qt::WindowCloseButtonHint);
        }
        QCOMPARE(about.windowTitle(), QStringLiteral("About Scrubix"));
        QCOMPARE(about.size(), CTemplateBuilder(GetAboutTemplate()).TemplateSizeInPixels());
        // The picture control shows the program's icon.
        const auto* pIcon = about.findChild<QLabel*>(QStringLiteral("static_10"));
        QVERIFY(pIcon != nullptr);
        QVERIFY(!pIcon->pixmap().isNull());
        QCOMPARE(pIcon->pixmap().size(), QSize(32, 32));
    }
};

QTEST_MAIN(TextFitTest)
#include "TextFitTest.moc"
