#include "CQtMessageBox.h"

#include <QMessageBox>

bool CQtMessageBox::Show(const SPrompt& prompt)
{
    QMessageBox box(m_pOwner.data());
    box.setWindowTitle(QStringLiteral("Scrubix"));
    box.setIcon(QMessageBox::NoIcon);
    box.setTextFormat(Qt::PlainText);
    box.setText(QString::fromStdString(prompt.strText));
    if (prompt.eButtons == EPromptButtons::YesNo)
    {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
        return box.exec() == QMessageBox::Yes;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Ok);
    box.exec();
    return true;
}
