#include "QZ_DIALOG_FORM.h"

#include <QMessageBox>
#include <QString>

// Placeholder until the themed window lands: a plain Qt box.
int ShowDialogBoxWindow(TDialogBoxKind kind, const std::string& title, const std::string& text) {
    const bool question = kind == dbkQuestion || kind == dbkWarningQuestion;
    QMessageBox box(question ? QMessageBox::Question : QMessageBox::Information,
                    QString::fromStdString(title), QString::fromStdString(text),
                    question ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok);
    int r = box.exec();
    return r == QMessageBox::Ok || r == QMessageBox::Yes ? 1 : 2;
}
