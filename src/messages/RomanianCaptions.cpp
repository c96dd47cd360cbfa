#include "messages/RomanianCaptions.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>

namespace vornel::RomanianCaptions {

void apply(QMessageBox& box) {
    const std::pair<QMessageBox::StandardButton, const char*> captions[] = {
        {QMessageBox::Yes, "Da"},         {QMessageBox::No, "Nu"},         {QMessageBox::Ok, "OK"},
        {QMessageBox::Cancel, "Renunta"}, {QMessageBox::Close, "Inchide"}, {QMessageBox::Save, "Salveaza"},
    };
    for (const auto& [button, caption] : captions)
        if (QAbstractButton* b = box.button(button)) b->setText(QString::fromLatin1(caption));
}

void apply(QFileDialog& dialog, const char* accept) {
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setLabelText(QFileDialog::LookIn, QStringLiteral("Cauta in:"));
    dialog.setLabelText(QFileDialog::FileName, QStringLiteral("Nume fisier:"));
    dialog.setLabelText(QFileDialog::FileType, QStringLiteral("Tip fisier:"));
    dialog.setLabelText(QFileDialog::Accept, QString::fromLatin1(accept));
    dialog.setLabelText(QFileDialog::Reject, QStringLiteral("Renunta"));
}

void apply(QProgressDialog& dialog) {
    dialog.setCancelButtonText(QStringLiteral("Renunta"));
}

} // namespace vornel::RomanianCaptions
