// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include <gtest/gtest.h>

#include <functional>

#include "tests/core/session.h"

namespace runeshot::testing {
namespace {

bool panelShown(const Form1& f) {
    const bool all = f.Frame1.Visible && f.Option1.Visible && f.Option2.Visible && f.Combo1.Visible;
    const bool none = !f.Frame1.Visible && !f.Option1.Visible && !f.Option2.Visible &&
                      !f.Combo1.Visible;
    EXPECT_TRUE(all || none) << "the panel's parts are shown and hidden together";
    return all;
}

TEST(Settings, DuringAGameSettingsPausesCancelResumesAndOkStartsANewGame) {
    Session s;
    Game& g = s.game;
    s.click(g.lblNew);
    s.at(2500);
    s.openSettings();
    EXPECT_TRUE(panelShown(g));
    EXPECT_EQ(g.lblPause.Caption, "PAUSED");
    EXPECT_TRUE(s.timersStopped());
    s.at(4000);
    s.click(g.Label10);
    EXPECT_FALSE(panelShown(g));
    EXPECT_EQ(g.lblPause.Caption, "PAUSE");
    s.at(4200);
    EXPECT_EQ(g.Label1.Top, 3920);

    s.openSettings();
    s.handle(inputs::LengthText{"200"});
    s.click(g.Label9);
    EXPECT_FALSE(panelShown(g));
    EXPECT_FALSE(g.paused);
    EXPECT_EQ(g.lblPause.Caption, "PAUSE");
    EXPECT_EQ(g.lbltime.Caption, "100");
    EXPECT_EQ(g.Timer1.Interval, 200);
    s.at(5200);
    EXPECT_EQ(g.lbltime.Caption, "199");
}

TEST(Settings, WhilePausedSettingsResumesBehindThePanelAndOkLeavesPausedShowing) {
    Session s;
    Game& g = s.game;
    s.click(g.lblNew);
    s.at(1000);
    s.click(g.lblPause);
    s.openSettings();
    EXPECT_EQ(g.lblPause.Caption, "PAUSE");
    s.at(1200);
    EXPECT_EQ(g.Label1.Top, 2520);
    s.click(g.Label10);
    EXPECT_EQ(g.lblPause.Caption, "PAUSED");
    s.at(3000);
    EXPECT_EQ(g.Label1.Top, 2520);

    s.openSettings();
    s.click(g.Label9);
    EXPECT_TRUE(g.paused);
    EXPECT_EQ(g.lblPause.Caption, "PAUSED");
    s.at(4000);
    EXPECT_EQ(g.Label1.Top, 3520);
    EXPECT_EQ(g.lbltime.Caption, "99");
    s.click(g.lblPause);
    EXPECT_EQ(g.lblPause.Caption, "PAUSE");
    EXPECT_EQ(g.lblPause.ForeColor, paleGreen);
    s.at(4200);
    EXPECT_EQ(g.Label1.Top, 3720);
}

TEST(Settings, BeforeTheFirstGameOkStartsOneAndCancelOnlyResumes) {
    {
        Session s;
        Game& g = s.game;
        s.openSettings();
        EXPECT_EQ(g.lblPause.Caption, "PAUSED");
        EXPECT_TRUE(s.timersStopped());
        s.click(g.Label9);
        EXPECT_EQ(g.lblPause.Caption, "PAUSE");
        EXPECT_TRUE(g.Label1.Visible);
        s.at(1000);
        EXPECT_EQ(g.lbltime.Caption, "99");
    }
    {
        Session s;
        Game& g = s.game;
        s.openSettings();
        s.click(g.Label10);
        EXPECT_EQ(g.lblPause.Caption, "PAUSE");
        s.at(1000);
        EXPECT_EQ(g.lbltime.Caption, "99");
        EXPECT_FALSE(g.Label1.Visible);
        s.at(2800);
        EXPECT_EQ(g.lblMissed.Caption, "1");
        s.at(3300);
        EXPECT_TRUE(g.Label1.Visible);
        EXPECT_EQ(s.played(), Sounds{"boing.wav"});
    }
}

TEST(Settings, SettingsTwiceTogglesThePauseBackAndLeavesThePanelOpen) {
    Session s;
    Game& g = s.game;
    s.click(g.lblNew);
    s.openSettings();
    s.openSettings();
    EXPECT_TRUE(panelShown(g));
    EXPECT_EQ(g.lblPause.Caption, "PAUSE");
    s.at(200);
    EXPECT_EQ(g.Label1.Top, 1520);
}

TEST(Settings, SpeedHalvesTheFallIntervalOnly) {
    Session s;
    Game& g = s.game;
    s.openSettings();
    s.chooseSpeed(true);
    s.click(g.Label9);
    s.at(1000);
    EXPECT_EQ(g.lbltime.Caption, "99");
    EXPECT_EQ(g.Label1.Top, 2320 + 5 * 200);
    s.at(1400);
    EXPECT_EQ(g.lblMissed.Caption, "1");
    s.at(1899);
    EXPECT_TRUE(s.played().empty());
    s.at(1900);
    EXPECT_EQ(s.played(), Sounds{"boing.wav"});
    s.at(1900 + 18 * 100);
    EXPECT_EQ(g.lblMissed.Caption, "2");

    // The speed stays for later games until Normal is chosen.
    s.click(g.lblNew);
    EXPECT_EQ(g.Timer1.Interval, 100);
    s.openSettings();
    s.chooseSpeed(false);
    s.click(g.Label9);
    EXPECT_EQ(g.Timer1.Interval, 200);
}

TEST(Quit, EndsTheProgramAtOnceInEveryState) {
    const std::pair<const char*, std::function<void(Session&)>> states[] = {
        {"before any game", [](Session&) {}},
        {"falling", [](Session& s) { s.click(s.game.lblNew); s.at(1000); }},
        {"in a miss pause", [](Session& s) { s.click(s.game.lblNew); s.at(2900); }},
        {"paused in a miss pause",
         [](Session& s) { s.click(s.game.lblNew); s.at(2900); s.click(s.game.lblPause); }},
        {"settings open", [](Session& s) { s.click(s.game.lblNew); s.openSettings(); }},
        {"after time over",
         [](Session& s) { s.playGameToItsEnd(1); }},
    };
    for (const auto& [name, reach] : states) {
        SCOPED_TRACE(name);
        Session s;
        Game& g = s.game;
        reach(s);
        const auto soundsBefore = s.played().size();
        const Twips top = g.Label1.Top;
        const std::string timeShown = g.lbltime.Caption;
        s.click(g.lblQuit);
        EXPECT_TRUE(g.isUnloaded());
        EXPECT_TRUE(g.module1.Letters.empty());
        EXPECT_TRUE(s.timersStopped());
        s.type(g.Label1.Caption.at(0));
        s.click(g.lblNew);
        s.click(g.lblPause);
        s.click(g.Label9);
        s.at(g.scheduler.now() + 60'000);
        EXPECT_EQ(s.played().size(), soundsBefore);
        EXPECT_EQ(g.Label1.Top, top);
        EXPECT_EQ(g.lbltime.Caption, timeShown);
    }
}

}  // namespace
}  // namespace runeshot::testing
