// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/AnimationDialog.h"

#include "ui/AnimationRecorder.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

constexpr int StartSeconds = 10;

} // namespace

TAnimationDialog::TAnimationDialog(QWidget* parent)
    : QDialog(parent), SecondsBox(new QSpinBox(this)),
      StrobeBox(
          new QCheckBox(QStringLiteral("Stroboskop: ein Bild je Periode der Anregung"), this)) {
    setWindowTitle(QStringLiteral("Animation aufnehmen"));
    SecondsBox->setRange(TAnimationRecorder::ShortestSeconds, TAnimationRecorder::LongestSeconds);
    SecondsBox->setValue(StartSeconds);
    SecondsBox->setSuffix(QStringLiteral(" s"));
    SecondsBox->setAccessibleName(QStringLiteral("Dauer der Aufnahme"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Dauer der Aufnahme:"), SecondsBox);
    auto* note = new QLabel(QStringLiteral("Das Bild der Zeichenfläche wird als GIF gespeichert "
                                           "(%1 Bilder je Sekunde), während der Lauf weitergeht.")
                                .arg(TAnimationRecorder::FramesPerSecond),
                            this);
    note->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("Aufnehmen …"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(StrobeBox);
    layout->addWidget(note);
    layout->addWidget(buttons);
}

int TAnimationDialog::Seconds() const {
    return SecondsBox->value();
}

bool TAnimationDialog::Strobe() const {
    return StrobeBox->isChecked();
}
