// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Unit1.h"

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

#include <utility>

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
    : QWidget(parent), Background(LoadBackgroundPicture()),
      State(std::make_unique<TSession>(ViewBackground(Background), *this)) {
    SubstituteWindowFont();
    setupUi(this);
    for (std::size_t k = 0; k < Sliders.size(); ++k)
        Bars[k] = findChild<QScrollBar*>(QString::fromLatin1(Sliders[k].Name));
    SourceEdits = {Edit1, Edit2, Edit3, Edit4};
    ExampleButtons = {RadioButton1, RadioButton2, RadioButton3, RadioButton4,
                      RadioButton5, RadioButton9, RadioButton10};
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
    Measurement = new TMeasuring(*this, *PaintBox1, *State,
                                 QPoint(Panel3->geometry().right() + 1, 0), [this] {
                                     auto* window = new TMeasureWindow(*Measurement, this);
                                     // "." and "," step there too, beside its time bar.
                                     window->addActions({&StepForwardEntry, &StepBackEntry});
                                     return window;
                                 });
    // The drawing area's menu lists its actions in this order: steps, pictures, lessons.
    StepForwardEntry.setText(QStringLiteral("Einen Durchgang vor"));
    StepBackEntry.setText(QStringLiteral("Einen Durchgang zurück"));
    StepForwardEntry.setShortcut(QKeySequence(Qt::Key_Period));
    StepBackEntry.setShortcut(QKeySequence(Qt::Key_Comma));
    StepSeparator.setSeparator(true);
    for (QAction* step : {&StepForwardEntry, &StepBackEntry})
        step->setShortcutContext(Qt::WindowShortcut);
    PaintBox1->addActions({&StepForwardEntry, &StepBackEntry, &StepSeparator});
    PictureSaving = new TPictureSaving(*this, *PaintBox1, Loop(), FrameImage);
    LessonFiles = new TLessonFiles(*this, *PaintBox1, *this, *this, Background);
    PresentFrames();

    ConnectHandlers();
    FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::PresentFrames() {
    FrameImage = ImageOf(Loop().View().Bitmap());
    Loop().View().SetPresenter([this](const TPicture&) {
        Measurement->FramePresented();
        PaintBox1->ShowFrame(FrameImage, QRectOf(Loop().View().ChangedRect()));
    });
}

// Everything that showed the session before follows the opened one before the
// old one goes. Every session has written its displays when it was made, so
// counting from none writes them all again.
void TForm1::ShowOpenedSession(std::unique_ptr<TSession> session) {
    const std::unique_ptr<TSession> old = std::exchange(State, std::move(session));
    FirstActivationServed = true;
    PresentFrames();
    PictureSaving->Follow(Loop());
    Measurement->Follow(*State);
    ShownWrites.fill(0);
    ShowSession();
    PaintBox1->ShowFrame(FrameImage, FrameImage.rect());
}

void TForm1::HoldRun(bool held) {
    RunHeld = held;
    ScheduleLoop();
}

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
    connect(&StepForwardEntry, &QAction::triggered, this, &TForm1::StepForward);
    connect(&StepBackEntry, &QAction::triggered, this, &TForm1::StepBack);
    connect(Measurement, &TMeasuring::PassChosen, this, &TForm1::GoToPass);
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
    // The source fields have no handlers; the session keeps their texts for the next run start.
    for (std::size_t k = 0; k < SourceEdits.size(); ++k) {
        connect(SourceEdits[k], &QLineEdit::textChanged, this, [this, k](const QString& text) {
            State->SetSourceField(static_cast<int>(k), text.toStdString());
        });
    }
}

// Qt widgets always draw double-buffered; the off-screen picture and the start
// values came with the session. What remains is to show its displays.
void TForm1::FormCreate() {
    ShowDisplays();
}

// Starts the first run, once: at the first activation, or where nothing ever
// activates the window (no window manager, no screen) at the first show.
void TForm1::FormActivate() {
    if (!FirstActivationServed) State->Activate();
    FirstActivationServed = true;
    ShowSession();
}

void TForm1::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!FirstActivationServed)
        QMetaObject::invokeMethod(this, &TForm1::FormActivate, Qt::QueuedConnection);
}

void TForm1::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) FormActivate();
}

// The window's own close command does what "Ende" does.
void TForm1::closeEvent(QCloseEvent* event) {
    State->End();
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
    if (RunHeld) return;
    if (Pacer) {
        const TPacer::Clock::time_point now = TPacer::Clock::now();
        if (Pacer->WaitAt(now) > TPacer::Clock::duration::zero()) {
            ScheduleLoop();
            return;
        }
        Pacer->PassStarts(now);
    }
    InsideFiring = true;
    if (State->Fire()) Measurement->PassRan();
    PictureSaving->AfterFiring();
    InsideFiring = false;
    ScheduleLoop();
}

void TForm1::ScheduleLoop() {
    if (InsideFiring) return;
    if (State->WantsToFire() && !RunHeld) {
        if (!LoopTimer.isActive()) LoopTimer.start(Pacer ? PacedDelay(*Pacer) : 0);
    } else {
        LoopTimer.stop();
    }
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
    for (std::size_t k = 0; k < Bars.size(); ++k)
        SliderPosition(state, static_cast<Slider>(k)) = Bars[k]->value();
    state.Excitation.Excitation = CheckBox1->isChecked();
    state.Excitation.Source1 = CheckBox3->isChecked();
    state.Excitation.Source2 = CheckBox4->isChecked();
    state.Excitation.Wavefront = RadioButton10->isChecked();
    state.View.CrossGrid = CheckBox2->isChecked();
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

void TForm1::ShowSession() {
    // The widgets set here fire their handlers, which find the session as it is.
    if (Showing) return;
    Showing = true;
    const TPanelValues& panel = State->Panel();
    const TControlState& controls = panel.Controls;
    for (std::size_t k = 0; k < SourceEdits.size(); ++k) {
        const QString text = QString::fromStdString(panel.SourceFields[k]);
        if (SourceEdits[k]->text() != text) SourceEdits[k]->setText(text);
    }
    TControlState positions = controls;
    for (std::size_t k = 0; k < Bars.size(); ++k)
        Bars[k]->setValue(SliderPosition(positions, static_cast<Slider>(k)));
    CheckBox1->setChecked(controls.Excitation.Excitation);
    CheckBox2->setChecked(controls.View.CrossGrid);
    CheckBox3->setChecked(controls.Excitation.Source1);
    CheckBox4->setChecked(controls.Excitation.Source2);
    for (std::size_t k = 0; k < SourceEdits.size(); ++k) {
        const bool shown = State->SourceFieldShown(static_cast<int>(k));
        if (SourceEdits[k]->isVisibleTo(this) != shown) SourceEdits[k]->setVisible(shown);
    }
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
    ExampleButtons[static_cast<std::size_t>(State->Example())]->setChecked(true);
    // The shown one hidden first, as a focus on it moves on to what is shown then.
    if (State->ContinueShown() && Button4->isVisibleTo(this)) {
        Button4->setVisible(false);
        Button5->setVisible(true);
    } else if (!State->ContinueShown() && Button5->isVisibleTo(this)) {
        Button5->setVisible(false);
        Button4->setVisible(true);
    }
    if (Panel5->isVisibleTo(this) != State->InfoShown()) Panel5->setVisible(State->InfoShown());
    StepForwardEntry.setEnabled(State->CanStepInTime());
    StepBackEntry.setEnabled(State->CanStepInTime());
    ShowDisplays();
    Showing = false;
    ScheduleLoop();
}

// A display is written only when the session wrote it, so that what the user
// typed into it stays until its slider moves.
void TForm1::ShowDisplays() {
    const std::array<QLineEdit*, 3> fields = {Edit5, Edit6, Edit7};
    for (std::size_t k = 0; k < fields.size(); ++k) {
        const auto display = static_cast<ValueDisplay>(k);
        if (State->DisplayWrites(display) == ShownWrites[k]) continue;
        ShownWrites[k] = State->DisplayWrites(display);
        const QString digits = QString::fromStdString(State->DisplayDigits(display));
        fields[k]->setText(display == ValueDisplay::Frequency ? LocalDecimals(digits) : digits);
    }
}

void TForm1::StepForward() {
    State->StepForward();
    ShowStep();
}

void TForm1::StepBack() {
    State->StepBack();
    ShowStep();
}

void TForm1::GoToPass(long long pass) {
    State->GoToPass(pass);
    ShowStep();
}

void TForm1::ShowStep() {
    Measurement->PassRan();
    Measurement->FramePresented();
    PaintBox1->ShowFrame(FrameImage, FrameImage.rect());
    ShowSession();
}

void TForm1::MoveSlider(Slider slider) {
    State->MoveSlider(slider, Bars[static_cast<std::size_t>(slider)]->value());
    ShowSession();
}

// "Null"
void TForm1::Button1Click() {
    State->Null();
    ShowSession();
}

// "Info"
void TForm1::Button2Click() {
    State->ShowInfo(true);
    ShowSession();
}

// "Ende"
void TForm1::Button3Click() {
    State->End();
    ScheduleLoop();
    close();
}

// "Pause" and "Weiter" share one spot; exactly one of them shows.
void TForm1::Button4Click() {
    State->Pause();
    ShowSession();
}

void TForm1::Button5Click() {
    State->Continue();
    ShowSession();
}

// "Infobox schließen"
void TForm1::Button6Click() {
    State->ShowInfo(false);
    ShowSession();
}

// "Rücksetzen"
void TForm1::Button7Click() {
    State->ResetView();
    ShowSession();
}

// "Anregung"
void TForm1::CheckBox1Click() {
    State->SetExcitation(CheckBox1->isChecked());
    ShowSession();
}

void TForm1::CheckBox2Click() {
    State->SetCrossGrid(CheckBox2->isChecked());
    ShowSession();
}

void TForm1::CheckBox3Click() {
    State->SetSource(1, CheckBox3->isChecked());
    ShowSession();
}

void TForm1::CheckBox4Click() {
    State->SetSource(2, CheckBox4->isChecked());
    ShowSession();
}

void TForm1::ScrollBar1Change() {
    MoveSlider(Slider::Frequency);
}
void TForm1::ScrollBar2Change() {
    MoveSlider(Slider::RotationX);
}
void TForm1::ScrollBar3Change() {
    MoveSlider(Slider::RotationY);
}
void TForm1::ScrollBar4Change() {
    MoveSlider(Slider::RotationZ);
}
void TForm1::ScrollBar5Change() {
    MoveSlider(Slider::Coupling);
}
void TForm1::ScrollBar6Change() {
    MoveSlider(Slider::Amplitude);
}
void TForm1::ScrollBar7Change() {
    MoveSlider(Slider::Zoom);
}

void TForm1::RadioButton6Click() {
    State->SelectBoundaryMode(BoundaryMode::DampedBorder);
    ShowSession();
}
void TForm1::RadioButton7Click() {
    State->SelectBoundaryMode(BoundaryMode::LooseEnd);
    ShowSession();
}
void TForm1::RadioButton8Click() {
    State->SelectBoundaryMode(BoundaryMode::FixedEnd);
    ShowSession();
}

void TForm1::RadioButton1Click() {
    State->ChooseExample(0);
    ShowSession();
}
void TForm1::RadioButton2Click() {
    State->ChooseExample(1);
    ShowSession();
}
void TForm1::RadioButton3Click() {
    State->ChooseExample(2);
    ShowSession();
}
void TForm1::RadioButton4Click() {
    State->ChooseExample(3);
    ShowSession();
}
void TForm1::RadioButton5Click() {
    State->ChooseExample(4);
    ShowSession();
}
void TForm1::RadioButton9Click() {
    State->ChooseExample(5);
    ShowSession();
}
void TForm1::RadioButton10Click() {
    State->ChooseExample(6);
    ShowSession();
}
