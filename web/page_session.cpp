// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include "web/page_session.h"

#include <optional>
#include <vector>

#include "shell/control_damage.h"
#include "shell/label_changes.h"
#include "shell/pixel_rect.h"
#include "web/form_json.h"

namespace runeshot {

namespace {

void writeChanged(JsonWriter& json, const char* surface, const Form1& form,
                  const std::vector<ControlChange>& changes, const TextMeasure& measure) {
    json.beginArray(surface);
    for (const ControlChange& change : changes) writeControl(json, form, change.now, measure);
    json.endArray();
}

void writeNames(JsonWriter& json, const char* what, const std::vector<const Label*>& labels) {
    json.beginArray(what);
    for (const Label* label : labels) json.element(label->Name);
    json.endArray();
}

void writeTold(JsonWriter& json, const LabelChanges& labels) {
    json.beginObject("told");
    writeNames(json, "renamed", labels.renamed);
    writeNames(json, "shownOrHidden", labels.shownOrHidden);
    writeNames(json, "enabledOrDisabled", labels.enabledOrDisabled);
    json.endObject();
}

PixelRect frameRect(const Frame& frame) {
    return pixelsOf(TwipsRect{frame.Left, frame.Top, frame.Width, frame.Height});
}

// Sends a windowed control when it differs from what the page last got.
template <typename Control>
void writeIfChanged(JsonWriter& json, const Control& now, Control& sent) {
    if (now == sent) return;
    sent = now;
    writeWindowed(json, now);
}

}  // namespace

PageSession::PageSession(const std::string& decimalSeparator)
    : news_(loaded(decimalSeparator)), look_(game_) {}

const Form1& PageSession::loaded(const std::string& decimalSeparator) {
    game_.DecimalSeparator = decimalSeparator;
    events_.load();
    return game_;
}

const std::string& PageSession::shown() {
    look_.take();
    sent_ = {game_.Frame1, game_.Text1, game_.Option1, game_.Option2, game_.Combo1};
    JsonWriter json;
    json.beginObject();
    writeForm(json, game_, measure_);
    writeOutcome(json);
    json.endObject();
    reply_ = json.text();
    return reply_;
}

const std::string& PageSession::handle(Millis now, const Input& input) {
    events_.handle(now, input);
    const ControlChanges changes = look_.take();
    JsonWriter json;
    json.beginObject();
    writeChanged(json, "window", game_, changes.window, measure_);
    writeChanged(json, "panel", game_, changes.panel, measure_);
    writeDamage(json, changes);
    writeTold(json, labelChanges(changes));
    writeWindowedChanges(json);
    writeOutcome(json);
    json.endObject();
    reply_ = json.text();
    return reply_;
}

// The panel is painted on the page, within the window: its controls' patches lie on it,
// and where it shows or hides, everything beneath it must be painted again.
void PageSession::writeDamage(JsonWriter& json, const ControlChanges& changes) const {
    std::vector<PixelRect> damage = damagedRects(changes.window, measure_);
    const Frame& frame = game_.Frame1;
    if (frame.Visible) {
        const PixelRect panel = frameRect(frame);
        for (PixelRect rect : damagedRects(changes.panel, measure_)) {
            rect.Left += panel.Left;
            rect.Top += panel.Top;
            damage.push_back(rect);
        }
    }
    if (frame != sent_.frame) {
        for (const Frame* shown : {&sent_.frame, &frame}) {
            if (shown->Visible) damage.push_back(frameRect(*shown));
        }
    }
    json.beginArray("damage");
    for (const PixelRect& rect : damage) {
        json.numbers({}, {double(rect.Left), double(rect.Top), double(rect.Width),
                          double(rect.Height)});
    }
    json.endArray();
}

void PageSession::writeWindowedChanges(JsonWriter& json) {
    writeIfChanged(json, game_.Frame1, sent_.frame);
    writeIfChanged(json, game_.Text1, sent_.text);
    writeIfChanged(json, game_.Option1, sent_.option1);
    writeIfChanged(json, game_.Option2, sent_.option2);
    writeIfChanged(json, game_.Combo1, sent_.combo);
}

// What every reply ends with: the sounds, the news, the next wake and whether the game ended.
void PageSession::writeOutcome(JsonWriter& json) {
    json.beginArray("sounds");
    for (const std::string& name : sound_.take()) json.element(name);
    json.endArray();
    const Announcement news = news_.take();
    json.value("news", news.text).value("newsCanWait", news.canWait);
    if (const std::optional<Millis> due = game_.scheduler.nextDue()) {
        json.value("due", double(*due));
    } else {
        json.null("due");
    }
    json.value("unloaded", game_.isUnloaded());
}

}  // namespace runeshot
