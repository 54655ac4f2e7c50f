// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#pragma once

#include <string>

#include "game/game.h"
#include "game/random_source.h"
#include "game/spoken_news.h"
#include "shell/control_look.h"
#include "shell/event_dispatcher.h"
#include "web/json_writer.h"
#include "web/page_text_measure.h"
#include "web/recording_sound_player.h"

namespace runeshot {

// The game as the page plays it: every input goes through the dispatcher's one road, and
// after each the page gets, as one JSON text, what changed. As the window does, it takes
// one look at the painted controls per input (FormLook), and works out from it both where
// the page must paint again and what assistive technology must be told.
//
// Each reply is one object (form_json.h writes the controls):
//   window, panel  graphical controls of the window and of the settings panel: in the
//                  first reply all of them, in painting order; after an input only those
//                  that changed, each to take the place of the one of its name.
//   damage         after an input, where something painted changed, as [x, y, width,
//                  height] in the window's pixels, possibly overlapping: all the page must
//                  paint again. The first reply is painted whole.
//   told           after an input, the names of the labels whose reading changed:
//                  renamed, shownOrHidden and enabledOrDisabled (shell/label_changes.h).
//   Frame1, Text1, Option1, Option2, Combo1
//                  the panel and each windowed control: in the first reply, and after an
//                  input when it differs from what the page last got.
//   sounds         the sounds asked for meanwhile, in order, each cutting the one before.
//   news, newsCanWait  what a screen reader must say ("" for nothing), and whether it may
//                  wait for what is being said.
//   due            when to wake the game next, on the page's clock, or null for never.
//   unloaded       whether the game has ended.
class PageSession {
public:
    // Loads the form; `decimalSeparator` is the player's, for fractional counts.
    explicit PageSession(const std::string& decimalSeparator);
    PageSession(const PageSession&) = delete;
    PageSession& operator=(const PageSession&) = delete;

    // The first reply: the whole form, before any input.
    const std::string& shown();
    // What changed with the input.
    const std::string& handle(Millis now, const Input& input);

private:
    // The panel and the windowed controls as the page last got them.
    struct Windowed {
        Frame frame;
        TextBox text;
        OptionButton option1, option2;
        ComboBox combo;
    };

    const Form1& loaded(const std::string& decimalSeparator);
    void writeDamage(JsonWriter& json, const ControlChanges& changes) const;
    void writeWindowedChanges(JsonWriter& json);
    void writeOutcome(JsonWriter& json);

    Lcg24 random_;
    RecordingSoundPlayer sound_;
    Game game_{random_, sound_};
    PageTextMeasure measure_;
    EventDispatcher events_{game_, measure_};
    // Made once the form is loaded: their first look is the form as the player first sees it.
    SpokenNews news_;
    FormLook look_;
    Windowed sent_;
    std::string reply_;
};

}  // namespace runeshot
