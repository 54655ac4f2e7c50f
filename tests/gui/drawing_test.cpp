// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QScreen>

#include <functional>
#include <utility>

#include "shell/design_colours.h"
#include "tests/gui/game_window.h"
#include "ui/fonts.h"
#include "ui/pictures.h"

namespace runeshot {
namespace {

const QColor black = qtColour(colours::black);
const QColor body = qtColour(colours::slateBlue);
const QColor hatch = qtColour(colours::hatchGreen);
const QColor panelGreen = qtColour(colours::darkGreen);
const QColor yellow = qtColour(colours::yellow);
const QColor white = qtColour(colours::white);
// Captions are smoothed: a pixel within this of the caption's colour is text.
constexpr int textTolerance = 40;

QColor colourOf(const Label& label) { return qtColour(resolveColour(label.ForeColor)); }

// The status bar is its body, then the rules, then the hatch over both, then the captions.
TEST(WindowDrawing, StatusBarPaintsBodyRulesHatchAndCaptionsInStackingOrder) {
    GameWindow w;
    const QImage image = w.render();
    EXPECT_EQ(w.window.size(), QSize(657, 337));
    ASSERT_EQ(image.size(), QSize(657, 337));

    const int cellEdges[] = {0, 80, 152, 248, 424, 520, 592, 656};
    for (size_t i = 0; i + 1 < std::size(cellEdges); ++i) {
        const QRect cell(cellEdges[i] + 1, 1, cellEdges[i + 1] - cellEdges[i] - 1, 31);
        EXPECT_GT(countColour(image, cell, body), 50) << "cell " << i;
        EXPECT_GT(countColour(image, cell, hatch), 50) << "cell " << i;
    }
    for (const int x : {80, 152, 248, 424, 520, 592}) {
        const QRect rule(x, 0, 1, 33);
        EXPECT_EQ(countColour(image, rule, black) + countColour(image, rule, hatch), 33) << x;
        EXPECT_GE(countColour(image, rule, black), 24) << x;
        EXPECT_GT(countColour(image, rule, hatch), 0) << x;
        EXPECT_EQ(countColour(image, rule.translated(-2, 0), black), 2) << x;
    }
    EXPECT_EQ(countColour(image, QRect(0, 0, 657, 1), black), 657);
    EXPECT_EQ(countColour(image, QRect(0, 32, 657, 1), black), 657);

    for (const Label* label : {&w.game.Label2, &w.game.lblShooted, &w.game.Label4,
                               &w.game.lblMissed, &w.game.Label3, &w.game.lbltime,
                               &w.game.Label6, &w.game.lblSettings, &w.game.lblNew,
                               &w.game.lblPause, &w.game.lblQuit}) {
        const QRect rect = labelPixelRect(*label, w.measure) & QRect(0, 0, 657, 33);
        EXPECT_GE(countColour(image, rect, colourOf(*label), textTolerance), 4) << label->Name;
    }
}

TEST(WindowDrawing, InputLineIsBlackWithItsPaleYellowTextCentred) {
    GameWindow w;
    const QImage image = w.render();
    const QColor paleYellow = qtColour(colours::paleYellow);
    const int top = 320;
    EXPECT_GT(countColour(image, QRect(219, top, 219, 17), paleYellow, 40), 20);
    EXPECT_EQ(countColour(image, QRect(0, top, 219, 17), paleYellow, 40), 0);
    EXPECT_EQ(countColour(image, QRect(438, top, 219, 17), paleYellow, 40), 0);
    const QRect inside(3, top + 3, 651, 14);
    EXPECT_GT(countColour(image, inside, black), inside.width() * inside.height() * 8 / 10);
}

// At start nothing but the picture shows between the status bar and the input line: the
// letter, the banner and the settings panel are hidden.
TEST(WindowDrawing, FieldShowsOnlyTheStarfieldAtStart) {
    GameWindow w;
    const QImage image = w.render();
    const QImage starfield = starfieldImage();
    const QRect field(0, 33, 657, 287);
    EXPECT_EQ(image.copy(field), starfield.copy(field));
}

TEST(WindowDrawing, OpenSettingsPanelIsComposedAsDesigned) {
    GameWindow w;
    w.click(w.game.lblSettings);
    ASSERT_TRUE(w.frame1()->isVisible());
    const QImage image = w.render();
    const QPoint frame(232, 40);
    auto at = [&](int x, int y) { return image.pixel(frame + QPoint(x, y)); };

    for (const QPoint p : {QPoint(5, 100), QPoint(170, 100), QPoint(5, 236), QPoint(170, 40)}) {
        EXPECT_TRUE(near(at(p.x(), p.y()), panelGreen, 0)) << p.x() << "," << p.y();
    }
    EXPECT_EQ(countColour(image, QRect(frame.x(), 40, 176, 1), black), 176);
    EXPECT_EQ(countColour(image, QRect(frame.x(), 64, 176, 1), black), 176);

    // The disc is the largest circle in its rectangle, centred: it leaves "Time" uncovered.
    EXPECT_TRUE(near(at(92, 196), black, 0));
    EXPECT_TRUE(near(at(50, 164), black, 0));
    EXPECT_TRUE(near(at(44, 164), panelGreen, 0));
    EXPECT_TRUE(near(at(20, 200), panelGreen, 0));
    EXPECT_GE(countColour(image, labelPixelRect(w.game.Label8, w.measure).translated(frame),
                          QColor(192, 192, 192), textTolerance),
              4);

    for (const char* name : {"Option1", "Option2"}) {
        const QRect option = w.option(name)->geometry();
        EXPECT_GT(countColour(image, option, black), option.width() * option.height() / 2) << name;
        EXPECT_GE(countColour(image, option, qtColour(colours::lightCyan), textTolerance), 4)
            << name;
        EXPECT_TRUE(near(image.pixel(option.left() - 2, option.center().y()), black, 0)) << name;
    }
    EXPECT_GT(countColour(image, w.combo1()->geometry(), qtColour(colours::brown)), 100);
    for (const Label* label : {&w.game.Label9, &w.game.Label10}) {
        const QRect rect = labelPixelRect(*label, w.measure).translated(frame);
        EXPECT_GE(countColour(image, rect, yellow, textTolerance), 4) << label->Name;
    }
}

TEST(WindowDrawing, LetterAndBannerLieBeneathTheStatusBar) {
    GameWindow w;
    Label& letter = w.game.Label1;
    letter.Visible = true;
    letter.Left = 7000;
    letter.Top = 0;
    const QFontMetrics metrics(qtFont(letter.Font));
    ASSERT_LT(metrics.ascent() + metrics.tightBoundingRect("G").top(), 30)
        << "the glyph must reach into the status bar for this test to mean anything";

    w.game.lblOver.Visible = true;
    w.game.lblOver.Font.Size = 72;
    const QImage image = w.render();

    const QRect rect = labelPixelRect(letter, w.measure);
    EXPECT_EQ(countColour(image, QRect(rect.left(), 0, rect.width(), 33), white), 0);
    EXPECT_GT(countColour(image, QRect(rect.left(), 33, rect.width(), rect.height()), white), 50);

    const QRect banner = labelPixelRect(w.game.lblOver, w.measure);
    EXPECT_EQ(banner.topLeft(), QPoint(56, 112));
    EXPECT_GT(banner.width(), 400);
    EXPECT_GT(countColour(image, banner, yellow, 8), 500);
}

// After an event the window repaints only the patches that changed; what the screen then
// shows must be what painting the whole window afresh draws.
TEST(WindowDrawing, RepaintingOnlyWhatChangedShowsWhatAWholeRepaintDraws) {
    GameWindow w;
    Game& g = w.game;
    w.click(g.lblNew);
    w.click(g.lblPause);
    const auto shown = [&w] {
        QCoreApplication::processEvents();
        return w.window.screen()->grabWindow(w.window.winId()).toImage().convertToFormat(
            QImage::Format_RGB32);
    };
    shown();
    // The input line is a widget of its own, whose frame follows the pointer and the focus.
    const QRect drawn(0, 0, 657, w.text1()->y());
    const std::pair<const char*, std::function<void()>> changes[] = {
        {"a letter's step", [&g] { g.Label1.Top = g.Label1.Top + 200; }},
        {"a caption", [&g] { g.lblShooted.Caption = "12"; }},
        {"a miss", [&g] { g.Label1.Top = 4120; g.Label1.ForeColor = colours::red; }},
    };
    for (const auto& [what, change] : changes) {
        change();
        // Any event shows what changed; a click where no label lies changes nothing itself.
        w.click(QPoint(300, 200));
        EXPECT_TRUE(shown().copy(drawn) == w.render().copy(drawn)) << what;
    }
}

// The window as a screen of twice the density shows it.
QImage renderAtScaleTwo(QWidget& window) {
    QImage image(window.size() * 2, QImage::Format_RGB32);
    image.setDevicePixelRatio(2);
    window.render(&image);
    return image;
}

// How many device pixels within the design pixels of `region` differ from the design
// enlarged.
int differingFromEnlarged(const QImage& design, const QImage& scaled, const QRegion& region) {
    const QImage enlarged = design.scaled(design.size() * 2);
    int differing = 0;
    for (const QRect& rect : region) {
        for (int y = 2 * rect.top(); y <= 2 * rect.bottom() + 1; ++y) {
            for (int x = 2 * rect.left(); x <= 2 * rect.right() + 1; ++x) {
                differing += scaled.pixel(x, y) != enlarged.pixel(x, y);
            }
        }
    }
    return differing;
}

// On a high-density screen the window is the design enlarged: the body, rules, outlines,
// hatch and starfield cover the same design pixels as at scale 1. Only the captions are
// drawn afresh at the finer resolution.
TEST(WindowDrawing, AtScaleTwoTheWindowIsTheDesignEnlarged) {
    GameWindow w;
    const QImage design = w.render();
    const QImage scaled = renderAtScaleTwo(w.window);

    QRegion captions;
    for (const GraphicalControl& control : w.game.windowPaintOrder()) {
        if (const Label* const* label = std::get_if<const Label*>(&control)) {
            if ((*label)->Visible) captions += labelPixelRect(**label, w.measure);
        }
    }
    EXPECT_EQ(differingFromEnlarged(design, scaled, QRegion(0, 0, 657, 320) - captions), 0);
}

TEST(WindowDrawing, AtScaleTwoTheSunkenEdgesOfOkAndCancelAreEnlarged) {
    GameWindow w;
    w.click(w.game.lblSettings);
    const QImage design = w.render();
    const QImage scaled = renderAtScaleTwo(w.window);
    for (const Label* label : {&w.game.Label9, &w.game.Label10}) {
        const QRect rect = labelPixelRect(*label, w.measure).translated(w.frame1()->pos());
        const QRegion edge = QRegion(rect) - rect.adjusted(2, 2, -2, -2);
        EXPECT_EQ(differingFromEnlarged(design, scaled, edge), 0) << label->Name;
    }
}

}  // namespace
}  // namespace runeshot
