// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include "web/page_session.h"

#include "web/form_json.h"
#include "web/json_writer.h"

namespace runeshot {

PageSession::PageSession(const std::string& decimalSeparator) {
    game_.DecimalSeparator = decimalSeparator;
    events_.load();
    news_.emplace(game_);
}

const std::string& PageSession::handle(Millis now, const Input& input) {
    events_.handle(now, input);
    return shown();
}

const std::string& PageSession::shown() {
    JsonWriter json;
    json.beginObject();
    writeForm(json, game_, measure_);
    json.beginArray("sounds");
    for (const std::string& name : sound_.take()) json.element(name);
    json.endArray();
    const Announcement news = news_->take();
    json.value("news", news.text).value("newsCanWait", news.canWait);
    if (const std::optional<Millis> due = game_.scheduler.nextDue()) {
        json.value("due", double(*due));
    } else {
        json.null("due");
    }
    json.value("unloaded", game_.isUnloaded()).endObject();
    reply_ = json.text();
    return reply_;
}

}  // namespace runeshot
