#pragma once

#include "ui/res/DialogTemplate.h"
#include "ui/res/DialogUnits.h"

#include <QFont>
#include <QPixmap>
#include <QRect>
#include <QSize>
#include <QString>
#include <functional>
#include <map>
#include <vector>

class QButtonGroup;
class QWidget;

// Creates the widgets of a template on a parent widget and places them in
// pixels from the template's dialog units and a font's base units.
//
//   CTemplateBuilder builder(GetPurgeWarningTemplate());
//   builder.Build(pDialog);                       // widgets created, placed, tab order set
//   auto* pTick = builder.ControlAs<QCheckBox>(IDC_DONT_SHOW);
//
// Kinds map to widgets: push buttons to QPushButton (the default one gets
// setDefault), labels to QLabel (aligned, top-anchored, wrapping only with
// STYLE_WRAP; texts are plain, "&" mnemonics are kept only on buttons and
// check boxes), check boxes to QCheckBox, radio buttons to QRadioButton in a
// QButtonGroup per STYLE_GROUP run, edits to QLineEdit, list boxes to
// QListWidget, drop-down lists to a non-editable QComboBox (its height is the
// font's, the template height being the dropped list's), list views to a
// QTreeView without root decoration, group boxes to QGroupBox (a sibling drawn
// behind the controls after it), progress bars to QProgressBar without text,
// pictures to a QLabel showing the named icon (LoadPicture), Custom to the
// factory registered for the id.
//
// Texts are shown whole: the template's rectangles were sized for a narrower
// face, so after placing, a text control that its text does not fit grows
// into the free space around it (TextFit.h: never over another control, out
// of its group box or off the parent).
//
// Every widget gets the template font, its object name "idc_<id>" (or
// "static_<index>" for ID_STATIC), an accessible name (its own text, else the
// template's pszAccessibleName, else the nearest label before it), and the
// keyboard: tab-stop controls take Qt::StrongFocus, others that could take
// focus only Qt::ClickFocus, and the tab chain follows the template order.
// STYLE_DISABLED and STYLE_HIDDEN are applied. Everything runs on the GUI thread.
class CTemplateBuilder
{
public:
    using Factory = std::function<QWidget*(QWidget* pParent, const SControlTemplate& control)>;

    // The template must outlive the builder. With no font given the builder
    // uses FontForTemplate of the template's own font.
    explicit CTemplateBuilder(const SDialogTemplate& dialogTemplate);
    CTemplateBuilder(const SDialogTemplate& dialogTemplate, const QFont& font);

    // A widget maker for a Custom control (or to replace the standard widget
    // of any control id). Call before Build.
    void SetFactory(int32_t nControlId, Factory factory);

    // Creates every control as a child of pParent, in template order, and sets
    // pParent's font and fixed client size (the template's size in pixels)
    // unless bSizeParent is false. Returns false, creating nothing more, when a
    // Custom control has no factory or a factory returns nullptr.
    bool Build(QWidget* pParent, bool bSizeParent = true);

    // The widget of a control id, or nullptr (also for ID_STATIC).
    QWidget* Control(int32_t nControlId) const;

    template <class T> T* ControlAs(int32_t nControlId) const
    {
        return qobject_cast<T*>(Control(nControlId));
    }

    // Every created widget in template order (statics included).
    const std::vector<QWidget*>& Widgets() const { return m_widgets; }

    // The base units used, and conversions with them.
    const SDialogBaseUnits& BaseUnits() const { return m_base; }
    QRect ToPixels(int32_t nLeft, int32_t nTop, int32_t nWidth, int32_t nHeight) const;
    QSize TemplateSizeInPixels() const;

    const QFont& Font() const { return m_font; }

    // The window flags of a template's frame: a dialog of fixed size, never
    // with minimise or maximise boxes; a title bar with DIALOG_CAPTION, a
    // system menu and close box only with DIALOG_SYSMENU.
    static Qt::WindowFlags WindowFlags(const SDialogTemplate& dialogTemplate);
    // Sets a top-level window's flags (above) and its title from the template.
    // Call before the window is first shown.
    void ApplyWindowFrame(QWidget* pWindow) const;

    // A picture control's image: the icon resource ":/icons/<name>-32.png"
    // (and -64 for doubled screens) at 32 pixels; null when there is none.
    static QPixmap LoadPicture(const char* pszName);

    // Template text to a widget text: UTF-8 decoded; for labels "&&" becomes
    // "&" and single "&" are dropped (labels show no mnemonic).
    static QString LabelText(const char* pszText);
    // The accessible form of a text: mnemonic marks removed, line breaks as spaces.
    static QString AccessibleText(const char* pszText);

private:
    QWidget* CreateWidget(QWidget* pParent, const SControlTemplate& control);

    const SDialogTemplate& m_template;
    QFont m_font;
    SDialogBaseUnits m_base;
    std::map<int32_t, Factory> m_factories;
    std::map<int32_t, QWidget*> m_byId;
    std::vector<QWidget*> m_widgets;
    QButtonGroup* m_pRadioGroup = nullptr;
};
