// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include "ui/accessible_labels.h"

#include <algorithm>
#include <utility>

#include <QAccessibleActionInterface>
#include <QAccessibleWidget>

#include "shell/event_dispatcher.h"
#include "shell/label_reading.h"
#include "ui/control_painter.h"
#include "ui/form_window.h"
#include "ui/settings_panel.h"

namespace runeshot {

namespace {

QString qstr(const std::string& text) { return QString::fromStdString(text); }

// Something the window paints or says: it has no object of its own and no children, and
// the window answers for it.
class PaintedChild : public QAccessibleInterface {
public:
    explicit PaintedChild(const AccessibleLabels& labels) : labels_(labels) {}

    bool isValid() const override { return true; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return labels_.window().windowHandle(); }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(&labels_.window());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    void setText(QAccessible::Text, const QString&) override {}

protected:
    const AccessibleLabels& labels_;
};

class AccessibleLabel final : public PaintedChild, public QAccessibleActionInterface {
public:
    AccessibleLabel(const Label& label, const AccessibleLabels& labels)
        : PaintedChild(labels), label_(label) {}

    QRect rect() const override { return labels_.screenRect(label_); }

    QString text(QAccessible::Text kind) const override {
        if (kind != QAccessible::Name) return {};
        return qstr(readableName(labels_.form(), label_));
    }

    QAccessible::Role role() const override {
        return labels_.isButton(label_) ? QAccessible::Button : QAccessible::StaticText;
    }

    QAccessible::State state() const override {
        QAccessible::State state;
        state.invisible = !labels_.isShown(label_);
        state.disabled = !label_.Enabled;
        return state;
    }

    QList<QPair<QAccessibleInterface*, QAccessible::Relation>> relations(
        QAccessible::Relation match) const override {
        QList<QPair<QAccessibleInterface*, QAccessible::Relation>> related;
        auto add = [&](const Label* other, QAccessible::Relation relation) {
            if (other == nullptr || !(match & relation)) return;
            related.append({labels_.at(labels_.indexOfLabel(*other)), relation});
        };
        add(captionOf(labels_.form(), label_), QAccessible::Label);
        add(labels_.labelledBy(label_), QAccessible::Labelled);
        return related;
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ActionInterface && labels_.isButton(label_)) {
            return static_cast<QAccessibleActionInterface*>(this);
        }
        return nullptr;
    }

    QStringList actionNames() const override { return {pressAction()}; }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }
    void doAction(const QString& action) override {
        if (action == pressAction()) labels_.press(label_);
    }

private:
    const Label& label_;
};

#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
constexpr bool qtAnnounces = false;
#else
constexpr bool qtAnnounces = true;
#endif

// Before Qt could announce, what must be heard is shown as a notification, which a screen
// reader speaks as it appears.
class AccessibleNotice final : public PaintedChild {
public:
    using PaintedChild::PaintedChild;

    QRect rect() const override { return {}; }
    QString text(QAccessible::Text kind) const override {
        return kind == QAccessible::Name ? labels_.notice() : QString();
    }
    QAccessible::Role role() const override { return QAccessible::Notification; }
    QAccessible::State state() const override {
        QAccessible::State state;
        state.invisible = labels_.notice().isEmpty();
        return state;
    }
};

// The window: its widgets as Qt sees them, then the labels it paints.
class AccessibleFormWindow final : public QAccessibleWidget {
public:
    AccessibleFormWindow(QWidget* window, const AccessibleLabels& labels)
        : QAccessibleWidget(window, QAccessible::Window), labels_(labels) {}

    int childCount() const override {
        return labels_.count() + QAccessibleWidget::childCount();
    }
    QAccessibleInterface* child(int index) const override {
        if (index < labels_.count()) return labels_.at(index);
        return QAccessibleWidget::child(index - labels_.count());
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        const int painted = labels_.indexOf(child);
        if (painted >= 0) return painted;
        const int widget = QAccessibleWidget::indexOfChild(child);
        return widget < 0 ? -1 : labels_.count() + widget;
    }
    // What a click at the place reaches: a windowed control stands over what the window
    // paints, and the settings panel is only the ground its own labels are painted on.
    QAccessibleInterface* childAt(int x, int y) const override {
        QWidget* window = widget();
        QWidget* at = window->childAt(window->mapFromGlobal(QPoint(x, y)));
        while (at != nullptr && at->parentWidget() != window) at = at->parentWidget();
        const bool ground = at == nullptr || dynamic_cast<SettingsPanel*>(at) != nullptr;
        if (!ground) return QAccessible::queryAccessibleInterface(at);
        if (QAccessibleInterface* label = labels_.atScreenPoint({x, y})) return label;
        return at != nullptr ? QAccessible::queryAccessibleInterface(at) : nullptr;
    }

private:
    const AccessibleLabels& labels_;
};

QAccessibleInterface* accessibleFormWindow(const QString&, QObject* object) {
    auto* window = qobject_cast<FormWindow*>(object);
    return window != nullptr ? new AccessibleFormWindow(window, window->accessibleLabels())
                             : nullptr;
}

}  // namespace

void installAccessibleFormWindow(QWidget& window) {
    static const bool installed = (QAccessible::installFactory(accessibleFormWindow), true);
    (void)installed;
    // Qt may have made the window a plain accessible object while the window was being
    // built; the next question then makes the window's own.
    QAccessibleInterface* made = QAccessible::queryAccessibleInterface(&window);
    if (made != nullptr && dynamic_cast<AccessibleFormWindow*>(made) == nullptr) {
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
    }
}

namespace {

// The window's labels, then the panel's.
std::vector<const Label*> paintedLabels(const Form1& form) {
    std::vector<const Label*> labels = labelsIn(form.windowPaintOrder());
    for (const Label* label : labelsIn(form.panelPaintOrder())) labels.push_back(label);
    return labels;
}

}  // namespace

AccessibleLabels::AccessibleLabels(const Form1& form, const TextMeasure& measure,
                                   QWidget& window, Press press)
    : form_(form), measure_(measure), window_(window), press_(std::move(press)),
      labels_(paintedLabels(form)), news_(form) {}

AccessibleLabels::~AccessibleLabels() {
    for (const QAccessible::Id id : ids_) QAccessible::deleteAccessibleInterface(id);
}

int AccessibleLabels::count() const { return static_cast<int>(labels_.size()) + !qtAnnounces; }

QAccessibleInterface* AccessibleLabels::at(int index) const {
    if (index < 0 || index >= count()) return nullptr;
    if (ids_.empty()) {
        for (const Label* label : labels_) {
            ids_.push_back(QAccessible::registerAccessibleInterface(new AccessibleLabel(*label, *this)));
        }
        if (!qtAnnounces) {
            ids_.push_back(QAccessible::registerAccessibleInterface(new AccessibleNotice(*this)));
        }
    }
    return QAccessible::accessibleInterface(ids_[static_cast<std::size_t>(index)]);
}

int AccessibleLabels::indexOf(const QAccessibleInterface* child) const {
    for (int i = 0; i < static_cast<int>(ids_.size()); ++i) {
        if (QAccessible::accessibleInterface(ids_[static_cast<std::size_t>(i)]) == child) return i;
    }
    return -1;
}

int AccessibleLabels::indexOfLabel(const Label& label) const {
    const auto it = std::find(labels_.begin(), labels_.end(), &label);
    return it == labels_.end() ? -1 : static_cast<int>(it - labels_.begin());
}

QAccessibleInterface* AccessibleLabels::atScreenPoint(QPoint point) const {
    const QPoint inWindow = window_.mapFromGlobal(point);
    const Label* label =
        labelAt(form_, measure_, twipsFromPixels(inWindow.x()), twipsFromPixels(inWindow.y()));
    return label != nullptr ? interfaceOf(*label) : nullptr;
}

QRect AccessibleLabels::screenRect(const Label& label) const {
    const QRect rect = pixelRect(labelInWindow(form_, label, measure_));
    return {window_.mapToGlobal(rect.topLeft()), rect.size()};
}

bool AccessibleLabels::isShown(const Label& label) const {
    return runeshot::isShown(form_, label);
}

bool AccessibleLabels::isButton(const Label& label) const {
    return takesClicks(form_, label);
}

void AccessibleLabels::press(const Label& label) const {
    if (isShown(label)) press_(label);
}

const Label* AccessibleLabels::labelledBy(const Label& caption) const {
    for (const Label* count : {&form_.lblShooted, &form_.lblMissed, &form_.lbltime}) {
        if (captionOf(form_, *count) == &caption) return count;
    }
    return nullptr;
}

QAccessibleInterface* AccessibleLabels::interfaceOf(const Label& label) const {
    return at(indexOfLabel(label));
}

void AccessibleLabels::tell(const ControlChanges& controls) {
    const LabelChanges changes = labelChanges(controls);
    const Announcement announcement = news_.take();
    if (!QAccessible::isActive()) return;
    for (const Label* label : changes.renamed) {
        QAccessibleEvent renamed(interfaceOf(*label), QAccessible::NameChanged);
        QAccessible::updateAccessibility(&renamed);
    }
    for (const Label* label : changes.shownOrHidden) {
        QAccessibleEvent shown(interfaceOf(*label),
                               isShown(*label) ? QAccessible::ObjectShow : QAccessible::ObjectHide);
        QAccessible::updateAccessibility(&shown);
    }
    QAccessible::State enabled;
    enabled.disabled = true;
    for (const Label* label : changes.enabledOrDisabled) {
        QAccessibleStateChangeEvent changed(interfaceOf(*label), enabled);
        QAccessible::updateAccessibility(&changed);
    }
    if (!announcement.text.empty()) announce(announcement);
}

void AccessibleLabels::announce(const Announcement& announcement) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QAccessibleAnnouncementEvent event(&window_, qstr(announcement.text));
    event.setPoliteness(announcement.canWait ? QAccessible::AnnouncementPoliteness::Polite
                                     : QAccessible::AnnouncementPoliteness::Assertive);
    QAccessible::updateAccessibility(&event);
#else
    // The notice is hidden, then shown with its new text: a reader speaks it as it shows.
    QAccessibleInterface* notice = at(static_cast<int>(labels_.size()));
    QAccessibleEvent hidden(notice, QAccessible::ObjectHide);
    QAccessible::updateAccessibility(&hidden);
    notice_ = qstr(announcement.text);
    QAccessibleEvent shown(notice, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
#endif
}

}  // namespace runeshot
