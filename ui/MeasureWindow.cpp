// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/MeasureWindow.h"

#include "control/MeasureTexts.h"
#include "control/RunLoop.h"
#include "control/Session.h"
#include "measure/LatticeWave.h"
#include "measure/Profile.h"
#include "measure/Readings.h"
#include "output/OutputFile.h"
#include "output/Plot.h"
#include "sim/NetSize.h"
#include "ui/Measuring.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

// The chart's span.
constexpr double ChartSpan = 10;
// The time bar's page keys and clicks beside its handle move a tenth of it.
constexpr int TimeBarPages = 10;

// The save dialog's choice of the table's kind, the one for German
// spreadsheets first.
struct TCsvChoice {
    QString Filter;
    TCsvKind Kind;
};
const std::array<TCsvChoice, 2> CsvChoices{{
    {QStringLiteral("CSV für Tabellenkalkulation (Semikolon, Dezimalkomma) (*.csv)"),
     TCsvKind::DecimalComma},
    {QStringLiteral("CSV einfach (Komma, Dezimalpunkt) (*.csv)"), TCsvKind::Plain},
}};

QSpinBox* NodeBox(const QString& prefix, const QString& name, QWidget* parent) {
    auto* box = new QSpinBox(parent);
    box->setRange(1, VisibleNodes);
    box->setValue(MiddleNode);
    box->setPrefix(prefix);
    box->setAccessibleName(name);
    return box;
}

QPushButton* Button(const QString& text, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setAccessibleName(text);
    return button;
}

} // namespace

TLiveChart::TLiveChart(const TMeasuring& measuring, QWidget* parent)
    : QWidget(parent), Measuring(measuring) {
    setMinimumSize(560, 420);
    setAccessibleName(QStringLiteral("Verlauf der Sonden und der Energie"));
}

void TLiveChart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    const TRecording* recording = Measuring.Recording();
    if (!recording || recording->Count() == 0) return;
    const std::size_t first =
        recording->FirstFrom(recording->At(recording->Count() - 1).SimTime - ChartSpan);
    std::vector<TPlotProbe> probes;
    for (std::size_t slot = 0; slot < Measuring.Probes().size(); ++slot) {
        if (Measuring.Probes()[slot]) probes.push_back({*Measuring.Probes()[slot], slot});
    }
    PaintPlot(painter, rect(), probes,
              {recording->Count() - first, [recording, first](std::size_t k) -> const TSeriesRow& {
                   return recording->At(first + k);
               }});
}

TMeasureWindow::TMeasureWindow(TMeasuring& measuring, QWidget* parent)
    : QWidget(parent, Qt::Window), Measuring(measuring) {
    setWindowTitle(QStringLiteral("Messung"));
    setAccessibleName(QStringLiteral("Messung"));
    auto* layout = new QVBoxLayout(this);
    Chart = new TLiveChart(measuring, this);
    layout->addWidget(Chart, 1);
    TimeBar = new QSlider(Qt::Horizontal, this);
    TimeBar->setAccessibleName(QStringLiteral("Zeitleiste"));
    TimeBar->setToolTip(QStringLiteral("Zeitleiste: zu einem früheren Durchgang (in der Pause)"));
    // Told on release: a step back replays up to a hundred passes.
    TimeBar->setTracking(false);
    auto* time = new QHBoxLayout;
    time->addWidget(new QLabel(QStringLiteral("Zeitleiste:"), this));
    time->addWidget(TimeBar, 1);
    layout->addLayout(time);
    connect(TimeBar, &QSlider::valueChanged, this,
            [this](int pass) { Measuring.ChoosePass(pass); });

    auto* probes = new QGroupBox(QStringLiteral("Messsonden"), this);
    auto* grid = new QGridLayout(probes);
    for (std::size_t slot = 0; slot < Rows.size(); ++slot) {
        const QString name = QStringLiteral("Sonde %1").arg(slot + 1);
        TProbeRow& row = Rows[slot];
        row.On = new QCheckBox(name, probes);
        row.On->setAccessibleName(name);
        row.On->setStyleSheet(
            QStringLiteral("color: %1; font-weight: bold").arg(ProbeColour(slot).name()));
        row.X = NodeBox(QStringLiteral("x = "), name + QStringLiteral(" x"), probes);
        row.Y = NodeBox(QStringLiteral("y = "), name + QStringLiteral(" y"), probes);
        row.Reading = new QLabel(probes);
        row.Reading->setAccessibleName(name + QStringLiteral(" Messwerte"));
        row.Phase = new QLabel(probes);
        row.Phase->setAccessibleName(name + QStringLiteral(" Phase"));
        const int r = static_cast<int>(slot) * 2;
        grid->addWidget(row.On, r, 0);
        grid->addWidget(row.X, r, 1);
        grid->addWidget(row.Y, r, 2);
        grid->addWidget(row.Reading, r, 3);
        grid->addWidget(row.Phase, r + 1, 3);
        connect(row.On, &QCheckBox::toggled, this, [this, slot] { ProbeEdited(slot); });
        connect(row.X, &QSpinBox::valueChanged, this, [this, slot] { ProbeEdited(slot); });
        connect(row.Y, &QSpinBox::valueChanged, this, [this, slot] { ProbeEdited(slot); });
    }
    grid->setColumnStretch(3, 1);
    layout->addWidget(probes);

    auto* wave = new QHBoxLayout;
    Line = new QComboBox(this);
    Line->addItems({QStringLiteral("entlang der Zeile von Sonde 1"),
                    QStringLiteral("entlang der Spalte von Sonde 1")});
    Line->setAccessibleName(QStringLiteral("Richtung der Wellenlänge"));
    Wavelength = new QLabel(this);
    Wavelength->setAccessibleName(QStringLiteral("Wellenlänge"));
    wave->addWidget(Wavelength, 1);
    wave->addWidget(Line);
    layout->addLayout(wave);
    Speed = new QLabel(this);
    Speed->setAccessibleName(QStringLiteral("Geschwindigkeit der Welle"));
    layout->addWidget(Speed);
    Lattice = new QLabel(this);
    Lattice->setAccessibleName(QStringLiteral("Geschwindigkeit nach der Dispersion des Netzes"));
    layout->addWidget(Lattice);
    connect(Line, &QComboBox::currentIndexChanged, this, &TMeasureWindow::Refresh);

    auto* watch = new QHBoxLayout;
    Watch = new QLabel(this);
    Watch->setAccessibleName(QStringLiteral("Stoppuhr"));
    QPushButton* start = Button(QStringLiteral("Start"), this);
    QPushButton* stop = Button(QStringLiteral("Stopp"), this);
    QPushButton* reset = Button(QStringLiteral("Zurücksetzen"), this);
    watch->addWidget(Watch, 1);
    watch->addWidget(start);
    watch->addWidget(stop);
    watch->addWidget(reset);
    layout->addLayout(watch);
    connect(start, &QPushButton::clicked, this, [this] { Measuring.StartWatch(); });
    connect(stop, &QPushButton::clicked, this, [this] { Measuring.StopWatch(); });
    connect(reset, &QPushButton::clicked, this, [this] { Measuring.ResetWatch(); });

    auto* bottom = new QHBoxLayout;
    Passes = new QLabel(this);
    Passes->setAccessibleName(QStringLiteral("Durchgänge des Laufs"));
    QPushButton* save = Button(QStringLiteral("Als CSV speichern …"), this);
    bottom->addWidget(Passes, 1);
    bottom->addWidget(save);
    layout->addLayout(bottom);
    connect(save, &QPushButton::clicked, this, &TMeasureWindow::AskAndSave);

    connect(&Measuring, &TMeasuring::ProbesChanged, this, &TMeasureWindow::ShowProbes);
    connect(&RefreshTimer, &QTimer::timeout, this, &TMeasureWindow::Tick);
    ShowProbes();
    Refresh();
}

void TMeasureWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // At most once per refresh of the screen (taken as the common 60 Hz where
    // it does not say), and no more than 15 times a second: a chart takes a
    // few milliseconds that the passes need more.
    const qreal rate = screen() ? screen()->refreshRate() : 0;
    RefreshTimer.start(std::max(66, static_cast<int>(std::ceil(1000 / (rate >= 1 ? rate : 60)))));
}

void TMeasureWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    RefreshTimer.stop();
}

void TMeasureWindow::Tick() {
    ShowTimeBar();
    if (Measuring.Changes() == ShownChanges) return;
    Refresh();
}

void TMeasureWindow::ShowProbes() {
    for (std::size_t slot = 0; slot < Rows.size(); ++slot) {
        const std::optional<TNodePosition>& node = Measuring.Probes()[slot];
        const TProbeRow& row = Rows[slot];
        const QSignalBlocker quietOn(row.On), quietX(row.X), quietY(row.Y);
        row.On->setChecked(node.has_value());
        if (node) {
            row.X->setValue(node->X);
            row.Y->setValue(node->Y);
        }
    }
    Refresh();
}

void TMeasureWindow::ProbeEdited(std::size_t slot) {
    const TProbeRow& row = Rows[slot];
    Measuring.SetProbe(slot, row.On->isChecked()
                                 ? std::optional(TNodePosition{row.X->value(), row.Y->value()})
                                 : std::nullopt);
}

void TMeasureWindow::Refresh() {
    ShownChanges = Measuring.Changes();
    for (std::size_t slot = 0; slot < Rows.size(); ++slot) {
        Rows[slot].Reading->setText(ProbeText(slot));
        Rows[slot].Phase->setText(PhaseText(slot));
    }
    Wavelength->setText(WavelengthText());
    Speed->setText(SpeedText());
    Lattice->setText(LatticeText());
    Watch->setText(WatchText());
    Passes->setText(PassesText());
    Chart->update();
    ShowTimeBar();
}

void TMeasureWindow::ShowTimeBar() {
    const TSession& session = Measuring.MeasuredSession();
    const QSignalBlocker quiet(TimeBar);
    TimeBar->setEnabled(session.CanStepInTime());
    TimeBar->setRange(static_cast<int>(session.OldestPass()),
                      static_cast<int>(session.NewestPass()));
    TimeBar->setPageStep((TimeBar->maximum() - TimeBar->minimum()) / TimeBarPages + 1);
    if (!TimeBar->isSliderDown()) TimeBar->setValue(static_cast<int>(session.PassesMade()));
}

QString TMeasureWindow::ProbeText(std::size_t slot) const {
    return QString::fromStdString(::ProbeText(Measuring.MeasuredSession(), slot));
}

QString TMeasureWindow::PhaseText(std::size_t slot) const {
    return QString::fromStdString(::PhaseText(Measuring.MeasuredSession(), slot));
}

QString TMeasureWindow::WavelengthText() const {
    return QString::fromStdString(
        ::WavelengthText(Measuring.MeasuredSession(), Line->currentIndex() == 0));
}

QString TMeasureWindow::SpeedText() const {
    return QString::fromStdString(
        ::SpeedText(Measuring.MeasuredSession(), Line->currentIndex() == 0));
}

QString TMeasureWindow::LatticeText() const {
    return QString::fromStdString(
        ::LatticeText(Measuring.MeasuredSession(), Line->currentIndex() == 0));
}

QString TMeasureWindow::WatchText() const {
    return QString::fromStdString(::WatchText(Measuring.WatchTime()));
}

QString TMeasureWindow::PassesText() const {
    return QString::fromStdString(::PassesText(Measuring.Loop().PassesOfRun()));
}

void TMeasureWindow::AskAndSave() {
    QStringList filters;
    for (const TCsvChoice& choice : CsvChoices)
        filters << choice.Filter;
    // A German system's spreadsheet reads the decimal comma; others the plain file.
    QString chosen = CsvChoices[QLocale::system().language() == QLocale::German ? 0 : 1].Filter;
    const QString name = QFileDialog::getSaveFileName(
        this, QStringLiteral("Messreihe als CSV speichern"), QStringLiteral("messung.csv"),
        filters.join(QStringLiteral(";;")), &chosen);
    if (name.isEmpty()) return;
    const auto choice = std::find_if(CsvChoices.begin(), CsvChoices.end(),
                                     [&chosen](const TCsvChoice& c) { return c.Filter == chosen; });
    SaveTable(name, choice != CsvChoices.end() ? choice->Kind : TCsvKind::Plain);
}

bool TMeasureWindow::SaveTable(const QString& name, TCsvKind kind) {
    const std::optional<QString> failure = WriteTextFile(
        TableText(*Measuring.Recording(), Measuring.Probes(), kind), name, QStringLiteral("CSV"));
    if (!failure) return true;
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Messung"),
                    QStringLiteral("Die Messreihe konnte nicht gespeichert werden."),
                    QMessageBox::Ok, this);
    box.setDetailedText(*failure);
    box.exec();
    return false;
}
