// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include "ui/form_window.h"

#include <algorithm>
#include <optional>
#include <utility>

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QElapsedTimer>
#include <QImage>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QScreen>
#include <QStyle>
#include <QWindow>

#include "shell/design_colours.h"
#include "ui/control_painter.h"
#include "ui/fonts.h"
#include "ui/input_line.h"
#include "ui/pictures.h"
#include "ui/settings_panel.h"
#include "ui/window_damage.h"

namespace runeshot {

namespace {

QRect controlRect(Twips left, Twips top, Twips width, Twips height) {
    return pixelRect({left, top, width, height});
}

// Sets a control's colours on the roles its widget paints with.
void setColours(QWidget& widget, Colour fore, Colour back, QPalette::ColorRole foreRole,
                QPalette::ColorRole backRole) {
    QPalette palette = widget.palette();
    // A disabled control keeps the toolkit's greyed text.
    palette.setColor(QPalette::Active, foreRole, qtColour(resolveColour(fore)));
    palette.setColor(QPalette::Inactive, foreRole, qtColour(resolveColour(fore)));
    palette.setColor(backRole, qtColour(resolveColour(back)));
    widget.setPalette(palette);
}

QString toQString(const std::string& text) { return QString::fromStdString(text); }

// Wayland never says a window is minimized; Qt only sees that the compositor stopped
// showing it (no longer exposed). Losing the keyboard focus is not minimizing.
bool countsAsMinimized(const QWidget& window) {
    if (window.windowState() & Qt::WindowMinimized) return true;
    const QWindow* handle = window.windowHandle();
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland")) &&
           handle != nullptr && handle->isVisible() && !handle->isExposed();
}

}  // namespace

FormWindow::MillisecondClock FormWindow::monotonicClock() {
    QElapsedTimer clock;
    clock.start();
    return [clock] { return Millis{clock.elapsed()}; };
}

FormWindow::FormWindow(const Form1& form, EventDispatcher& events, MillisecondClock clock,
                       QWidget* parent)
    : QWidget(parent), form_(form), events_(events), clock_(std::move(clock)),
      starfield_(starfieldImage()) {
    installAccessibleFormWindow(*this);
    timer_.setObjectName(QStringLiteral("nextTick"));
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, [this] { deliver(inputs::Wake{}); });
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("Runeshot"));
    setWindowIcon(QIcon(QPixmap::fromImage(iconImage())));
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, QSize(657, 337),
                                    screen()->availableGeometry()));

    createInputLine();
    syncWidgets();
}

// Windowed controls stack in the order they are made, the last on top: the input line,
// then the panel, then the option buttons and the game-length box standing over it. Tab
// goes through them in the order of their tab indexes.
void FormWindow::createInputLine() {
    const TextBox& t = form_.Text1;
    text1_ = new InputLine([this](int KeyAscii) { deliver(inputs::Key{KeyAscii}); }, this);
    text1_->setObjectName(toQString(t.Name));
    text1_->setGeometry(controlRect(t.Left, t.Top, t.Width, t.Height));
    text1_->setFont(qtFont(t.Font));
    text1_->setMaxLength(t.MaxLength);
    text1_->setAlignment(t.Alignment == Alignment::Center  ? Qt::AlignCenter
                         : t.Alignment == Alignment::Right ? Qt::AlignRight | Qt::AlignVCenter
                                                           : Qt::AlignLeft | Qt::AlignVCenter);
    setColours(*text1_, t.ForeColor, t.BackColor, QPalette::Text, QPalette::Base);
    text1_->setText(toQString(t.Text));
    text1_->setCursorPosition(0);
    connect(text1_, &QLineEdit::textChanged, this, [this](const QString& text) {
        deliverUnlessSyncing(inputs::InputLineText{text.toStdString()});
    });
}

// Made when the settings are first shown: the game-length box and the option buttons take
// a millisecond or two to make, at start the window's time is short, and many games never
// open the settings.
void FormWindow::createSettingsWidgets() {
    frame1_ = new SettingsPanel(form_, measure_, this);
    frame1_->setObjectName(toQString(form_.Frame1.Name));

    for (const OptionButton* o : {&form_.Option1, &form_.Option2}) {
        auto* button = new QRadioButton(toQString(o->Caption), this);
        button->setObjectName(toQString(o->Name));
        button->setGeometry(controlRect(o->Left, o->Top, o->Width, o->Height));
        button->setFont(qtFont(o->Font));
        button->setAutoFillBackground(true);
        setColours(*button, o->ForeColor, o->BackColor, button->foregroundRole(),
                   button->backgroundRole());
        button->setChecked(o->Value);
        // Both belong to the window, so they are one group: checking one clears the other.
        const bool speed = o == &form_.Option2;
        connect(button, &QRadioButton::toggled, this, [this, speed](bool checked) {
            if (checked) deliverUnlessSyncing(inputs::SpeedChosen{speed});
        });
        (o == &form_.Option1 ? option1_ : option2_) = button;
    }

    const ComboBox& c = form_.Combo1;
    combo1_ = new QComboBox(this);
    combo1_->setObjectName(toQString(c.Name));
    combo1_->setEditable(true);
    // The length box holds what the player typed: it neither completes "1" to "100" nor
    // adds a typed length to its list.
    combo1_->setCompleter(nullptr);
    combo1_->setInsertPolicy(QComboBox::NoInsert);
    combo1_->setGeometry(controlRect(c.Left, c.Top, c.Width, c.Height));
    combo1_->setFont(qtFont(c.Font));
    setColours(*combo1_, c.ForeColor, c.BackColor, QPalette::Text, QPalette::Base);
    connect(combo1_, &QComboBox::currentTextChanged, this, [this](const QString& text) {
        deliverUnlessSyncing(inputs::LengthText{text.toStdString()});
    });

    std::pair<int, QWidget*> tabOrder[] = {{form_.Text1.TabIndex, text1_},
                                           {form_.Option1.TabIndex, option1_},
                                           {form_.Option2.TabIndex, option2_},
                                           {form_.Combo1.TabIndex, combo1_}};
    std::sort(std::begin(tabOrder), std::end(tabOrder),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 1; i < std::size(tabOrder); ++i) {
        setTabOrder(tabOrder[i - 1].second, tabOrder[i].second);
    }
}

void FormWindow::deliver(const Input& input) {
    events_.handle(clock_(), input);
    if (form_.isUnloaded()) {
        timer_.stop();
        hide();
        QApplication::quit();
        return;
    }
    syncWidgets();
    const ControlChanges changes = look_.take();
    repaintChanges(changes);
    accessibleLabels_.tell(changes);
    armTimer();
}

void FormWindow::deliverUnlessSyncing(const Input& input) {
    if (!syncing_) deliver(input);
}

void FormWindow::armTimer() {
    const std::optional<Millis> due = form_.scheduler.nextDue();
    if (!due) {
        timer_.stop();
        return;
    }
    const Millis wait = *due - clock_();
    timer_.start(static_cast<int>(std::max<Millis>(wait, 0)));
}

void FormWindow::syncWidgets() {
    const QScopedValueRollback syncing(syncing_, true);
    const bool inputLineHadFocus = focusWidget() == text1_;
    text1_->setEnabled(form_.Text1.Enabled);
    text1_->setVisible(form_.Text1.Visible);
    if (inputLineHadFocus && focusWidget() != text1_) focusTakenFromInputLine_ = focusWidget();
    handFocusToInputLine();

    if (frame1_ == nullptr) {
        const bool settingsShown = form_.Frame1.Visible || form_.Option1.Visible ||
                                   form_.Option2.Visible || form_.Combo1.Visible;
        if (settingsShown) createSettingsWidgets();
    }
    if (frame1_ != nullptr) syncSettingsWidgets();
}

void FormWindow::repaintChanges(const ControlChanges& changes) {
    update(damageOf(changes.window, measure_));
    // A panel that comes into view paints whole; while hidden, its captions are not even
    // measured.
    if (frame1_ != nullptr && form_.Frame1.Visible) {
        frame1_->update(damageOf(changes.panel, measure_));
    }
}

void FormWindow::syncSettingsWidgets() {
    frame1_->setVisible(form_.Frame1.Visible);
    const std::pair<const OptionButton*, QRadioButton*> options[] = {
        {&form_.Option1, option1_}, {&form_.Option2, option2_}};
    for (const auto& [option, button] : options) {
        if (option->Value && !button->isChecked()) button->setChecked(true);
        button->setVisible(option->Visible);
    }

    // The list is compared with the one last filled in, so that a tick converts nothing.
    const QString text = toQString(form_.Combo1.Text);
    if (form_.Combo1.List != comboList_) {
        comboList_ = form_.Combo1.List;
        QStringList items;
        for (const std::string& item : comboList_) items << toQString(item);
        combo1_->clear();
        combo1_->addItems(items);
    }
    if (combo1_->currentText() != text) combo1_->setEditText(text);
    combo1_->setVisible(form_.Combo1.Visible);
}

// A player never has to click the input line to go on typing: it takes the focus back from
// a control going away, before the toolkit would (which selects the whole line), and from
// where the toolkit put it at time over unless the player has moved it since.
void FormWindow::handFocusToInputLine() {
    if (!text1_->isVisible() || !text1_->isEnabled()) return;
    const QWidget* holder = focusWidget();
    const QWidget* takenBy = std::exchange(focusTakenFromInputLine_, nullptr);
    if (holder != nullptr && holder == takenBy) {
        text1_->setFocus();
        return;
    }
    auto goingAway = [holder](const QWidget* control, bool staysVisible) {
        return !staysVisible && control != nullptr &&
               (control == holder || control->isAncestorOf(holder));
    };
    if (holder == nullptr || !holder->isEnabled() || !holder->isVisible() ||
        goingAway(frame1_, form_.Frame1.Visible) || goingAway(option1_, form_.Option1.Visible) ||
        goingAway(option2_, form_.Option2.Visible) || goingAway(combo1_, form_.Combo1.Visible)) {
        text1_->setFocus();
    }
}

void FormWindow::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    // The form's own colour shows where the window reaches beyond the picture.
    for (const QRect& beyond : QRegion(rect()) - QRegion(starfield_.rect())) {
        painter.fillRect(beyond, qtColour(colours::teal));
    }
    // Only the dirty patches of the picture are copied: a falling letter dirties two small
    // ones, and copying the whole picture for them would cost most of a repaint.
    for (const QRect& patch : event->region()) painter.drawImage(patch, starfield_, patch);
    paintControls(painter, form_.windowPaintOrder(), measure_, event->region());
    // Queued, so that it comes after this frame has been handed to the screen.
    if (!std::exchange(firstFramePainted_, true)) {
        QMetaObject::invokeMethod(this, &FormWindow::firstFrameShown, Qt::QueuedConnection);
    }
}

// The game decides which label, if any, a press and a release of the main button click.
void FormWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPointF at = event->position();
    deliver(inputs::Press{twipsFromPixels(at.x()), twipsFromPixels(at.y())});
}

void FormWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPointF at = event->position();
    deliver(inputs::Release{twipsFromPixels(at.x()), twipsFromPixels(at.y())});
}

void FormWindow::pressLabel(const Label& label) {
    const TwipsRect rect = labelInWindow(form_, label, measure_);
    const Twips x = rect.Left + rect.Width / 2, y = rect.Top + rect.Height / 2;
    deliver(inputs::Press{x, y});
    deliver(inputs::Release{x, y});
}

void FormWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    deliver(inputs::CloseBox{});
}

void FormWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowStateChange) noteWindowState();
    QWidget::changeEvent(event);
}

// Exposure belongs to the native window, which exists from the first show.
void FormWindow::showEvent(QShowEvent* event) {
    windowHandle()->installEventFilter(this);
    QWidget::showEvent(event);
}

bool FormWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == windowHandle() && event->type() == QEvent::Expose) noteWindowState();
    return QWidget::eventFilter(watched, event);
}

void FormWindow::noteWindowState() {
    const FormWindowState state = countsAsMinimized(*this) ? FormWindowState::minimized
                                  : windowState() & Qt::WindowMaximized
                                      ? FormWindowState::maximized
                                      : FormWindowState::normal;
    if (state != form_.WindowState) deliver(inputs::WindowStateChanged{state});
}

}  // namespace runeshot
