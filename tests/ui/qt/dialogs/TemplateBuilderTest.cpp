#include "ui/qt/dialogs/CTemplateBuilder.h"
#include "ui/qt/dialogs/FontBaseUnits.h"
#include "ui/res/ResourceIds.h"
#include "ui/res/Templates.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeView>
#include <QtTest>

namespace
{
QString AccessibleName(QWidget* pWidget)
{
    QAccessibleInterface* pInterface = QAccessible::queryAccessibleInterface(pWidget);
    return pInterface != nullptr ? pInterface->text(QAccessible::Name) : QString();
}

// A small template with every rule the builder applies.
constexpr SControlTemplate kSampleControls[] = {
    {ID_STATIC, EControlKind::LabelRight, "&Name:", 4, 4, 40, 8},
    {200, EControlKind::Edit, "", 48, 3, 80, 12, STYLE_TABSTOP},
    {201, EControlKind::RadioButton, "One", 4, 20, 40, 10, STYLE_TABSTOP | STYLE_GROUP},
    {202, EControlKind::RadioButton, "Two", 48, 20, 40, 10, STYLE_NONE},
    {203, EControlKind::RadioButton, "Three", 4, 32, 40, 10, STYLE_TABSTOP | STYLE_GROUP},
    {204, EControlKind::RadioButton, "Four", 48, 32, 40, 10, STYLE_NONE},
    {205, EControlKind::PushButton, "Hidden", 4, 46, 40, 14, STYLE_TABSTOP | STYLE_HIDDEN},
    {206, EControlKind::PushButton, "Off", 48, 46, 40, 14, STYLE_TABSTOP | STYLE_DISABLED},
    {207, EControlKind::DefPushButton, "OK", 92, 46, 40, 14, STYLE_TABSTOP},
    {208, EControlKind::LabelLeft, "A long text that has to wrap over lines", 4, 64, 40, 24,
     STYLE_WRAP},
};
constexpr SDialogTemplate kSample{500, "Sample",       140, 90, DIALOG_CAPTION, "MS Sans Serif",
                                  8,   kSampleControls};

constexpr SControlTemplate kCustomControls[] = {
    {300, EControlKind::Custom, "link", 4, 4, 60, 8, STYLE_TABSTOP},
};
constexpr SDialogTemplate kCustom{501, "Custom",       80, 20, DIALOG_CAPTION, "MS Sans Serif",
                                  8,   kCustomControls};
} // namespace

class TemplateBuilderTest : public QObject
{
    Q_OBJECT

private slots:
    void baseUnitsComeFromTheFont()
    {
        const QFont font = FontForTemplate("MS Sans Serif", 8);
        QCOMPARE(font.pointSize(), 8);
        const SDialogBaseUnits base = BaseUnitsForFont(font);
        const QFontMetrics metrics(font);
        const int nSample = metrics.horizontalAdvance(QString::fromLatin1(AVERAGE_WIDTH_SAMPLE));
        QCOMPARE(base.nCharWidth, (nSample / 26 + 1) / 2);
        QCOMPARE(base.nCharHeight, metrics.height());
        QVERIFY(base.nCharWidth > 2);
        QVERIFY(base.nCharHeight > 6);
        // A larger font gives larger units.
        const SDialogBaseUnits larger = BaseUnitsForFont(FontForTemplate("MS Sans Serif", 16));
        QVERIFY(larger.nCharWidth > base.nCharWidth);
        QVERIFY(larger.nCharHeight > base.nCharHeight);
    }

    void formControlsArePlacedFromDialogUnits()
    {
        QWidget form;
        CTemplateBuilder builder(GetFormTemplate());
        QVERIFY(builder.Build(&form));
        const SDialogBaseUnits base = builder.BaseUnits();
        QCOMPARE(form.size(),
                 QSize(DialogUnitsToPixelsX(386, base), DialogUnitsToPixelsY(226, base)));
        QCOMPARE(builder.Widgets().size(), GetFormTemplate().controls.size());
        for (const SControlTemplate& control : GetFormTemplate().controls)
        {
            if (control.nId == ID_STATIC || control.eKind == EControlKind::ComboDropDownList)
            {
                continue;
            }
            QWidget* pWidget = builder.Control(control.nId);
            QVERIFY2(pWidget != nullptr, qPrintable(QString::number(control.nId)));
            const SUnitRect px = DialogRectToPixels(
                {control.nLeft, control.nTop, control.nWidth, control.nHeight}, base);
            QCOMPARE(pWidget->geometry(), QRect(px.nLeft, px.nTop, px.nWidth, px.nHeight));
            QCOMPARE(pWidget->objectName(), QStringLiteral("idc_%1").arg(control.nId));
        }
        auto* pSearch = builder.ControlAs<QPushButton>(IDC_SEARCH);
        QVERIFY(pSearch != nullptr);
        QCOMPARE(pSearch->text(), QStringLiteral("Search"));
        QVERIFY(pSearch->isDefault());
        QVERIFY(builder.ControlAs<QTreeView>(IDC_RESULTS_LIST) != nullptr);
        auto* pDrive = builder.ControlAs<QComboBox>(IDC_DRIVE_BOX);
        QVERIFY(pDrive != nullptr);
        QVERIFY(!pDrive->isEditable());
        QCOMPARE(pDrive->height(), pDrive->sizeHint().height());
        QCOMPARE(pDrive->x(), DialogUnitsToPixelsX(4, base));
        auto* pCaption = builder.ControlAs<QLabel>(IDC_SEARCH_PATH_CAPTION);
        QVERIFY(pCaption != nullptr);
        QVERIFY(pCaption->alignment() & Qt::AlignRight);
        QVERIFY(!builder.ControlAs<QLabel>(IDC_SEARCH_PATH)->wordWrap());
        QVERIFY(builder.Control(ID_STATIC) == nullptr);
        QVERIFY(builder.Control(4242) == nullptr);
    }

    void formCaptionsFitTheirLabels()
    {
        // A caption that needs more room than its label gives would be clipped.
        QWidget form;
        CTemplateBuilder builder(GetFormTemplate());
        QVERIFY(builder.Build(&form));
        const QFontMetrics metrics(builder.Font());
        for (QWidget* pWidget : builder.Widgets())
        {
            auto* pLabel = qobject_cast<QLabel*>(pWidget);
            if (pLabel == nullptr || pLabel->text() == QStringLiteral("Static"))
            {
                continue;
            }
            QVERIFY2(metrics.horizontalAdvance(pLabel->text()) <= pLabel->width(),
                     qPrintable(pLabel->text()));
        }
    }

    void tabOrderFollowsTheTemplate()
    {
        QWidget form;
        CTemplateBuilder builder(GetFormTemplate());
        QVERIFY(builder.Build(&form));
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        const int32_t order[] = {IDC_DRIVE_BOX,      IDC_SEARCH,       IDC_ACTION,
                                 IDC_CANCEL_RESULTS, IDC_RESULTS_LIST, IDC_DRIVE_BOX};
        builder.Control(order[0])->setFocus(Qt::OtherFocusReason);
        QTRY_COMPARE(QApplication::focusWidget(), builder.Control(order[0]));
        for (size_t i = 1; i < std::size(order); ++i)
        {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), builder.Control(order[i]));
        }
        // Labels never take the focus.
        QCOMPARE(builder.Control(IDC_EXTEN_COUNT)->focusPolicy(), Qt::NoFocus);
    }

    void everyControlHasAnAccessibleName()
    {
        QWidget form;
        CTemplateBuilder builder(GetFormTemplate());
        QVERIFY(builder.Build(&form));
        QCOMPARE(AccessibleName(builder.Control(IDC_DRIVE_BOX)), QStringLiteral("Drive"));
        QCOMPARE(AccessibleName(builder.Control(IDC_RESULTS_LIST)), QStringLiteral("Results"));
        QCOMPARE(AccessibleName(builder.Control(IDC_SEARCH)), QStringLiteral("Search"));
        QCOMPARE(AccessibleName(builder.Widgets()[4]),
                 QStringLiteral("Count Due To Extension Match"));

        QWidget sample;
        CTemplateBuilder sampleBuilder(kSample);
        QVERIFY(sampleBuilder.Build(&sample));
        // The edit takes the label before it, without the mnemonic mark.
        QCOMPARE(AccessibleName(sampleBuilder.Control(200)), QStringLiteral("Name:"));
        QCOMPARE(qobject_cast<QLabel*>(sampleBuilder.Widgets()[0])->text(),
                 QStringLiteral("Name:"));
        for (QWidget* pWidget : sampleBuilder.Widgets())
        {
            QVERIFY2(!AccessibleName(pWidget).isEmpty(), qPrintable(pWidget->objectName()));
        }
    }

    void stylesAndRadioGroupsApply()
    {
        QWidget sample;
        CTemplateBuilder builder(kSample);
        QVERIFY(builder.Build(&sample));
        sample.show();
        QVERIFY(builder.Control(205)->isHidden());
        QVERIFY(!builder.Control(206)->isEnabled());
        QVERIFY(builder.Control(207)->isVisible());
        QVERIFY(builder.ControlAs<QLabel>(208)->wordWrap());
        // Radio buttons 201/202 and 203/204 form two groups.
        auto* pOne = builder.ControlAs<QRadioButton>(201);
        auto* pTwo = builder.ControlAs<QRadioButton>(202);
        auto* pThree = builder.ControlAs<QRadioButton>(203);
        pOne->click();
        pThree->click();
        QVERIFY(pOne->isChecked());
        QVERIFY(pThree->isChecked());
        pTwo->click();
        QVERIFY(!pOne->isChecked());
        QVERIFY(pThree->isChecked());
        // A control without a tab stop can still be clicked into.
        QCOMPARE(pTwo->focusPolicy(), Qt::ClickFocus);
    }

    void customControlsNeedAFactory()
    {
        QWidget withoutFactory;
        CTemplateBuilder missing(kCustom);
        QVERIFY(!missing.Build(&withoutFactory));

        QWidget withFactory;
        CTemplateBuilder builder(kCustom);
        builder.SetFactory(300,
                           [](QWidget* pParent, const SControlTemplate& control)
                           {
                               auto* pLabel =
                                   new QLabel(QString::fromUtf8(control.pszText), pParent);
                               pLabel->setAccessibleName(QStringLiteral("Web link"));
                               return pLabel;
                           });
        QVERIFY(builder.Build(&withFactory));
        auto* pLabel = builder.ControlAs<QLabel>(300);
        QVERIFY(pLabel != nullptr);
        QCOMPARE(pLabel->text(), QStringLiteral("link"));
        QCOMPARE(AccessibleName(pLabel), QStringLiteral("Web link"));
        QCOMPARE(pLabel->geometry(), builder.ToPixels(4, 4, 60, 8));
    }

    void labelTextsDropMnemonicMarks()
    {
        QCOMPARE(CTemplateBuilder::LabelText("&File"), QStringLiteral("File"));
        QCOMPARE(CTemplateBuilder::LabelText("Salt && Pepper"), QStringLiteral("Salt & Pepper"));
        QCOMPARE(CTemplateBuilder::LabelText("a&"), QStringLiteral("a"));
        QCOMPARE(CTemplateBuilder::AccessibleText("ONE \nTWO"), QStringLiteral("ONE TWO"));
        QCOMPARE(CTemplateBuilder::LabelText(nullptr), QString());
    }
};

QTEST_MAIN(TemplateBuilderTest)
#include "TemplateBuilderTest.moc"
