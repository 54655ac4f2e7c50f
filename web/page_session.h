// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#pragma once

#include <optional>
#include <string>

#include "game/game.h"
#include "game/random_source.h"
#include "game/spoken_news.h"
#include "shell/event_dispatcher.h"
#include "web/page_text_measure.h"
#include "web/recording_sound_player.h"

namespace runeshot {

// The game as the page plays it: every input goes through the dispatcher's one road, and
// after each the page gets, as one JSON text, all it must show: the form, the sounds asked
// for meanwhile, what a screen reader must say, when to wake the game next, and whether
// the game has ended.
class PageSession {
public:
    // Loads the form; `decimalSeparator` is the player's, for fractional counts.
    explicit PageSession(const std::string& decimalSeparator);
    PageSession(const PageSession&) = delete;
    PageSession& operator=(const PageSession&) = delete;

    // What to show before any input.
    const std::string& shown();
    const std::string& handle(Millis now, const Input& input);

private:
    Lcg24 random_;
    RecordingSoundPlayer sound_;
    Game game_{random_, sound_};
    PageTextMeasure measure_;
    EventDispatcher events_{game_, measure_};
    // Made once the form is loaded: its first look is the form as the player first sees it.
    std::optional<SpokenNews> news_;
    std::string reply_;
};

}  // namespace runeshot
