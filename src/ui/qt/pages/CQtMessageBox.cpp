#include "CQtMessageBox.h"

#include "ui/qt/dialogs/ScrubixMessageBox.h"

#include <QApplication>
#include <QMessageBox>

bool CQtMessageBox::Show(const SPrompt& prompt)
{
    // The box goes over the dialog the user is working in: a refusal of the
    // entry dialog over that dialog, not behind it over the sheet.
    QWidget* pOwner = QApplication::activeModalWidget();
    if (pOwner == nullptr || !pOwner->isVisible())
        pOwner = m_pOwner.data();
    QMessageBox box(pOwner);
    box.setWindowTitle(QStringLiteral("Scrubix"));
    box.setIcon(QMessageBox::NoIcon);
    box.setTextFormat(Qt::PlainText);
    box.setText(QString::fromStdString(prompt.strText));
    if (prompt.eButtons == EPromptButtons::YesNo)
    {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
        FitMessageBoxToTitle(box);
        return box.exec() == QMessageBox::Yes;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Ok);
    FitMessageBoxToTitle(box);
    box.exec();
    return true;
}
