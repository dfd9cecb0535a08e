// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Unit1.h"

#include "control/Commands.h"
#include "control/Examples.h"
#include "resources/BuiltinPictures.h"
#include "resources/CorePictures.h"
#include "ui/Displays.h"
#include "ui/MeasureWindow.h"
#include "ui/Measuring.h"
#include "ui/PictureSaving.h"
#include "ui/RestoredPlace.h"
#include "view/View.h"

#include <QCloseEvent>
#include <QMessageBox>

namespace {

// The window's font is the Windows bitmap font "MS Sans Serif"; elsewhere a
// sans serif of about its width keeps the captions inside their fixed places.
void SubstituteWindowFont() {
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Arial"),
                                QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                                QStringLiteral("Nimbus Sans")});
}

// The window's style sheet (for its fonts of so many pixels) puts every control
// under Qt's style sheet style, and Qt passes no palette down to a control
// that a style sheet styles: the panel's text colour must be the caption's own.
void GivePanelTextColourToCaptions(const QWidget* panel) {
    const QColor text = panel->palette().color(QPalette::WindowText);
    for (QWidget* control : panel->findChildren<QWidget*>()) {
        const bool caption = qobject_cast<QLabel*>(control) || qobject_cast<QCheckBox*>(control) ||
                             qobject_cast<QRadioButton*>(control);
        if (!caption || control->palette().isBrushSet(QPalette::Active, QPalette::WindowText)) {
            continue;
        }
        QPalette palette = control->palette();
        palette.setColor(QPalette::WindowText, text);
        control->setPalette(palette);
    }
}

// Whole milliseconds the loop's timer may sleep before the next paced pass;
// the last fraction of a millisecond is waited out with zero-interval
// firings, between which the messages are delivered as usual.
int PacedDelay(const TPacer& pacer) {
    const auto wait = pacer.WaitAt(TPacer::Clock::now());
    return static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(wait).count());
}

} // namespace

TForm1::TForm1(QWidget* parent)
    : QWidget(parent), Background(LoadBackgroundPicture()), RunLoop(ViewBackground(Background)),
      FrameImage(ImageOf(RunLoop.View().Bitmap())) {
    SubstituteWindowFont();
    setupUi(this);
    // Panel1 inherits its white from Panel2, which it lies in.
    GivePanelTextColourToCaptions(Panel2);
    GivePanelTextColourToCaptions(Panel4);
    // uic keeps only the size of a top-level form; this is where it stands when
    // it is not maximised, as far as the screen lets it.
    move(179, 409);
    new TRestoredPlaceKeeper(this);
    // The frames are drawn in PaintBox1; the background picture stays beneath it.
    Image1->setPixmap(QPixmap::fromImage(Background));
    Image1->lower();
    Image2->setPixmap(QPixmap::fromImage(LoadInfoPicture()));

    LoopTimer.setInterval(0); // fires whenever every pending message has been delivered
    connect(&LoopTimer, &QTimer::timeout, this, &TForm1::FireLoop);
    Measurement =
        new TMeasuring(*this, *PaintBox1, RunLoop, QPoint(Panel3->geometry().right() + 1, 0),
                       [this] { return new TMeasureWindow(*Measurement, this); });
    PictureSaving = new TPictureSaving(*this, *PaintBox1, RunLoop, FrameImage);
    RunLoop.View().SetPresenter([this](const TPicture&) {
        Measurement->FramePresented();
        PaintBox1->ShowFrame(FrameImage, QRectOf(RunLoop.View().ChangedRect()));
    });

    ConnectHandlers();
    FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::ConnectHandlers() {
    const auto onClick = [this](QAbstractButton* button, void (TForm1::*handler)()) {
        connect(button, &QAbstractButton::clicked, this, handler);
    };
    // Check boxes fire when their state changes, radio buttons when they become checked.
    const auto onToggle = [this](QAbstractButton* button, void (TForm1::*handler)()) {
        connect(button, &QAbstractButton::toggled, this, handler);
    };
    const auto onCheck = [this](QAbstractButton* button, void (TForm1::*handler)()) {
        connect(button, &QAbstractButton::toggled, this, [this, handler](bool checked) {
            if (checked) (this->*handler)();
        });
    };
    const auto onChange = [this](QScrollBar* bar, void (TForm1::*handler)()) {
        connect(bar, &QScrollBar::valueChanged, this, handler);
    };

    onClick(Button1, &TForm1::Button1Click);
    onClick(Button2, &TForm1::Button2Click);
    onClick(Button3, &TForm1::Button3Click);
    onClick(Button4, &TForm1::Button4Click);
    onClick(Button5, &TForm1::Button5Click);
    onClick(Button6, &TForm1::Button6Click);
    onClick(Button7, &TForm1::Button7Click);
    onToggle(CheckBox1, &TForm1::CheckBox1Click);
    onToggle(CheckBox2, &TForm1::CheckBox2Click);
    onToggle(CheckBox3, &TForm1::CheckBox3Click);
    onToggle(CheckBox4, &TForm1::CheckBox4Click);
    onChange(ScrollBar1, &TForm1::ScrollBar1Change);
    onChange(ScrollBar2, &TForm1::ScrollBar2Change);
    onChange(ScrollBar3, &TForm1::ScrollBar3Change);
    onChange(ScrollBar4, &TForm1::ScrollBar4Change);
    onChange(ScrollBar5, &TForm1::ScrollBar5Change);
    onChange(ScrollBar6, &TForm1::ScrollBar6Change);
    onChange(ScrollBar7, &TForm1::ScrollBar7Change);
    onCheck(RadioButton6, &TForm1::RadioButton6Click);
    onCheck(RadioButton7, &TForm1::RadioButton7Click);
    onCheck(RadioButton8, &TForm1::RadioButton8Click);
    onCheck(RadioButton1, &TForm1::RadioButton1Click);
    onCheck(RadioButton2, &TForm1::RadioButton2Click);
    onCheck(RadioButton3, &TForm1::RadioButton3Click);
    onCheck(RadioButton4, &TForm1::RadioButton4Click);
    onCheck(RadioButton5, &TForm1::RadioButton5Click);
    onCheck(RadioButton9, &TForm1::RadioButton9Click);
    onCheck(RadioButton10, &TForm1::RadioButton10Click);
}

// Qt widgets always draw double-buffered; the off-screen picture exists since
// the run loop was made. What remains are the start values.
void TForm1::FormCreate() {
    CreateRunValues(RunLoop, ScrollBar1->value());
    Edit5->setText(FrequencyText(RunLoop.Net().Omega));
    Edit7->setText(PositionText(ScrollBar6->value()));
    Edit6->setText(PositionText(ScrollBar5->value()));
}

// Starts the first run, once: at the first activation, or where nothing ever
// activates the window (no window manager, no screen) at the first show.
void TForm1::FormActivate() {
    if (Activated) return;
    Activated = true;
    Button1->click();
}

void TForm1::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!Activated) QMetaObject::invokeMethod(this, &TForm1::FormActivate, Qt::QueuedConnection);
}

void TForm1::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) FormActivate();
}

// The window's own close command does what "Ende" does.
void TForm1::closeEvent(QCloseEvent* event) {
    RunLoop.PauseFlag = false;
    RunLoop.EndFlag = true;
    ScheduleLoop();
    event->accept();
}

void TForm1::PacePasses(int passesPerSecond) {
    Pacer.emplace(passesPerSecond);
    LoopTimer.setTimerType(Qt::PreciseTimer);
}

void TForm1::FireLoop() {
    // Stopped while it works, so that a message box it opens cannot fire it again.
    LoopTimer.stop();
    if (Pacer) {
        const TPacer::Clock::time_point now = TPacer::Clock::now();
        if (Pacer->WaitAt(now) > TPacer::Clock::duration::zero()) {
            ScheduleLoop();
            return;
        }
        Pacer->PassStarts(now);
    }
    InsideFiring = true;
    RunLoop.Fire(*this);
    Measurement->AfterFiring();
    PictureSaving->AfterFiring();
    InsideFiring = false;
    ScheduleLoop();
}

void TForm1::ScheduleLoop() {
    if (InsideFiring) return;
    if (RunLoop.WantsToFire()) {
        if (!LoopTimer.isActive()) LoopTimer.start(Pacer ? PacedDelay(*Pacer) : 0);
    } else {
        LoopTimer.stop();
    }
}

void TForm1::PostRestart() {
    RunLoop.RequestRestart();
    ScheduleLoop();
}

TControlState TForm1::ReadControls() const {
    TControlState state;
    if (RadioButton8->isChecked()) {
        state.Mode = BoundaryMode::FixedEnd;
    } else if (RadioButton6->isChecked()) {
        state.Mode = BoundaryMode::DampedBorder;
    } else {
        state.Mode = BoundaryMode::LooseEnd;
    }
    state.CouplingPosition = ScrollBar5->value();
    state.AmplitudePosition = ScrollBar6->value();
    state.Excitation = {.Excitation = CheckBox1->isChecked(),
                        .FrequencyPosition = ScrollBar1->value(),
                        .Source1 = CheckBox3->isChecked(),
                        .Source2 = CheckBox4->isChecked(),
                        .Wavefront = RadioButton10->isChecked()};
    state.View = {.RotationX = ScrollBar2->value(),
                  .RotationY = ScrollBar3->value(),
                  .RotationZ = ScrollBar4->value(),
                  .ZoomPosition = ScrollBar7->value(),
                  .CrossGrid = CheckBox2->isChecked()};
    return state;
}

std::array<std::string, 4> TForm1::ReadSourceFields() const {
    return {Edit1->text().toStdString(), Edit2->text().toStdString(), Edit3->text().toStdString(),
            Edit4->text().toStdString()};
}

// The field's text is shown as typed: plain text, never read as markup.
void TForm1::ReportBadSourceField(const std::string& message) {
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Wogenfeld"),
                    QString::fromStdString(message), QMessageBox::Ok, this);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

void TForm1::RotateAndDraw() {
    RunLoop.View().UpdateRotation(RunLoop.Net(), ReadControls().View);
}

void TForm1::Draw() {
    RunLoop.View().DrawGrid(RunLoop.Net(), ReadControls().View);
}

// "Null": out of pause, the net at rest, and a fresh run.
void TForm1::Button1Click() {
    Button5->click();
    RestartAtRest(RunLoop);
    ScheduleLoop();
}

// "Info"
void TForm1::Button2Click() {
    Panel5->setVisible(true);
}

// "Ende"
void TForm1::Button3Click() {
    RunLoop.PauseFlag = false;
    RunLoop.EndFlag = true;
    ScheduleLoop();
    close();
}

// "Pause" and "Weiter" share one spot; exactly one of them shows.
void TForm1::Button4Click() {
    RunLoop.PauseFlag = true;
    Button4->setVisible(false);
    Button5->setVisible(true);
    ScheduleLoop();
}

void TForm1::Button5Click() {
    ContinueRun(RunLoop);
    Button5->setVisible(false);
    Button4->setVisible(true);
    ScheduleLoop();
}

// "Infobox schließen"
void TForm1::Button6Click() {
    Panel5->setVisible(false);
}

// "Rücksetzen": each bar that moves redraws through its own handler.
void TForm1::Button7Click() {
    const TViewControls start = StartView(CheckBox2->isChecked());
    ScrollBar2->setValue(start.RotationX);
    ScrollBar3->setValue(start.RotationY);
    ScrollBar4->setValue(start.RotationZ);
    ScrollBar7->setValue(start.ZoomPosition);
}

// "Anregung": the drive starts or stops with a fresh run on the net as it is.
void TForm1::CheckBox1Click() {
    Button5->click();
    PostRestart();
}

void TForm1::CheckBox2Click() {
    Draw();
}

void TForm1::CheckBox3Click() {
    const bool on = CheckBox3->isChecked();
    Edit1->setVisible(on);
    Edit2->setVisible(on);
}

void TForm1::CheckBox4Click() {
    const bool on = CheckBox4->isChecked();
    Edit3->setVisible(on);
    Edit4->setVisible(on);
}

void TForm1::ScrollBar1Change() {
    TNet& net = RunLoop.Net();
    net.Omega = OmegaFromPosition(ScrollBar1->value());
    Edit5->setText(FrequencyText(net.Omega));
}

void TForm1::ScrollBar2Change() {
    RotateAndDraw();
}
void TForm1::ScrollBar3Change() {
    RotateAndDraw();
}
void TForm1::ScrollBar4Change() {
    RotateAndDraw();
}
void TForm1::ScrollBar5Change() {
    Edit6->setText(PositionText(ScrollBar5->value()));
}
void TForm1::ScrollBar6Change() {
    Edit7->setText(PositionText(ScrollBar6->value()));
}
void TForm1::ScrollBar7Change() {
    Draw();
}

// A change of boundary mode rests the net and restarts; a pause stays.
void TForm1::SelectBoundaryMode(BoundaryMode mode) {
    ChangeBoundaryMode(RunLoop, mode);
    ScheduleLoop();
}

void TForm1::RadioButton6Click() {
    SelectBoundaryMode(BoundaryMode::DampedBorder);
}
void TForm1::RadioButton7Click() {
    SelectBoundaryMode(BoundaryMode::LooseEnd);
}
void TForm1::RadioButton8Click() {
    SelectBoundaryMode(BoundaryMode::FixedEnd);
}

// The example's values reach the net through the controls and their handlers.
void TForm1::ChooseExample(const TExample& example) {
    TPanelValues panel{ReadControls(), ReadSourceFields()};
    SetExampleValues(panel, example);
    const TControlState& controls = panel.Controls;
    Edit1->setText(QString::fromStdString(panel.SourceFields[0]));
    Edit2->setText(QString::fromStdString(panel.SourceFields[1]));
    Edit3->setText(QString::fromStdString(panel.SourceFields[2]));
    Edit4->setText(QString::fromStdString(panel.SourceFields[3]));
    ScrollBar1->setValue(controls.Excitation.FrequencyPosition);
    ScrollBar6->setValue(controls.AmplitudePosition);
    ScrollBar5->setValue(controls.CouplingPosition);
    CheckBox3->setChecked(controls.Excitation.Source1);
    CheckBox4->setChecked(controls.Excitation.Source2);
    switch (controls.Mode) {
    case BoundaryMode::DampedBorder:
        RadioButton6->setChecked(true);
        break;
    case BoundaryMode::LooseEnd:
        RadioButton7->setChecked(true);
        break;
    case BoundaryMode::FixedEnd:
        RadioButton8->setChecked(true);
        break;
    }
    Button7->click();
    Button1->click();
    RunLoop.Net().InitGrid();
}

void TForm1::RadioButton1Click() {
    ChooseExample(Examples[0]);
}
void TForm1::RadioButton2Click() {
    ChooseExample(Examples[1]);
}
void TForm1::RadioButton3Click() {
    ChooseExample(Examples[2]);
}
void TForm1::RadioButton4Click() {
    ChooseExample(Examples[3]);
}
void TForm1::RadioButton5Click() {
    ChooseExample(Examples[4]);
}
void TForm1::RadioButton9Click() {
    ChooseExample(Examples[5]);
}
void TForm1::RadioButton10Click() {
    ChooseExample(Examples[6]);
}
