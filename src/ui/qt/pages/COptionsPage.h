#pragma once

#include "SPageContext.h"
#include "ui/qt/dialogs/CTemplateBuilder.h"

#include <QWidget>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct SPathChoice;

// One page of the Options sheet, built from its template in src/ui/res/. The
// page object exists for one opening of the sheet; its controls are created
// the first time its tab is shown (EnsureCreated), and only a created page
// commits on OK. User-interface thread only.
class COptionsPage : public QWidget
{
    Q_OBJECT

public:
    COptionsPage(int32_t nTemplateId, SPageContext& context, QWidget* pParent = nullptr);
    ~COptionsPage() override;

    // The tab label: the template's caption.
    QString Caption() const;
    bool IsCreated() const { return m_pBuilder != nullptr; }
    // Creates the controls and runs the page's initialisation, once.
    void EnsureCreated();

    // The page is about to be left (another tab, or OK while it is current);
    // false keeps it. Called only for a created page.
    virtual bool OnKillActive() { return true; }
    // The sheet closes with OK: the controls go into the members or the
    // document. Called only for a created page.
    virtual void OnOK() {}

    // A control of the created page by id; nullptr before creation.
    QWidget* Control(int32_t nControlId) const;
    template <class T> T* ControlAs(int32_t nControlId) const
    {
        return qobject_cast<T*>(Control(nControlId));
    }

protected:
    // Widgets of its own for some control ids, before the controls are built.
    virtual void AddFactories(CTemplateBuilder& /*builder*/) {}
    // After the controls exist: connect handlers, load members into controls.
    virtual void OnInitPage() {}

    SPageContext& Context() const { return m_context; }

    // Where this page's path dialog starts: PickerStartFolder with the
    // candidates in order and the remembered drive (Settings\Drive).
    std::string PickerStart(const std::vector<std::string>& candidates) const;
    // The path a dialog chose, in Windows form; nullopt when it was cancelled
    // or when the choice lies on no drive, which is refused with a message
    // that says why.
    std::optional<std::string> TakeChoice(const SPathChoice& choice) const;

private:
    const SDialogTemplate& m_template;
    SPageContext& m_context;
    std::unique_ptr<CTemplateBuilder> m_pBuilder;
};
