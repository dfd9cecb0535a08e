// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/FileDialogs.h"

#include <QFileDialog>
#include <QMessageBox>

void GiveGermanLabels(QFileDialog& dialog) {
    const bool saving = dialog.acceptMode() == QFileDialog::AcceptSave;
    dialog.setLabelText(QFileDialog::LookIn, QStringLiteral("Suchen in:"));
    dialog.setLabelText(QFileDialog::FileName, QStringLiteral("Dateiname:"));
    dialog.setLabelText(QFileDialog::FileType, QStringLiteral("Dateityp:"));
    dialog.setLabelText(QFileDialog::Accept,
                        saving ? QStringLiteral("Speichern") : QStringLiteral("Öffnen"));
    dialog.setLabelText(QFileDialog::Reject, QStringLiteral("Abbrechen"));
}

void ShowFileFailure(QWidget& parent, const QString& what, const QString& failure) {
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Wogenfeld"), what, QMessageBox::Ok,
                    &parent);
    box.setTextFormat(Qt::PlainText);
    box.setInformativeText(failure);
    box.exec();
}
