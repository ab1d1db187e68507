#pragma once

#include <QComboBox>
#include <QString>

// The form's drive box: a drop-down list of the drive entries ("[-c-]",
// "[-d-] /srv/data"). Its dropped list is as wide as its widest entry. The
// closed box keeps the form's width and shows the letter part whole with as
// much of the folder's end as fits, its middle left out ("[-c-] ...drive-one"),
// so drives whose folders begin alike are still told apart; the whole folder
// is its tool tip. The items keep their whole texts. User-interface thread
// only.
class CDriveBox : public QComboBox
{
    Q_OBJECT

public:
    explicit CDriveBox(QWidget* pParent = nullptr);

    // What the closed box shows for its current entry at its present width.
    QString ShownText() const;
    // The width the dropped list needs to show every entry whole.
    int WidestEntryWidth() const;

    void showPopup() override;

protected:
    void paintEvent(QPaintEvent* pEvent) override;

private:
    void UpdateToolTip();
};
