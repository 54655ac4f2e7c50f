// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include "game/game.h"
#include "shell/design_colours.h"
#include "shell/number_text.h"

namespace runeshot {

void Module1::FillLetters() {
    Letters.clear();
    for (char c = 'A'; c <= 'Z'; ++c) Letters.emplace_back(1, c);
    for (char c = 'a'; c <= 'z'; ++c) Letters.emplace_back(1, c);
}

void Game::RandomLeft() {
    X = static_cast<float>(static_cast<double>(random_.next()) * 8500);
    // Columns past 8000 would run off the right edge; they all land at 5000.
    if (X > 8000) X = 5000;
    if (X > 55 && X < 500) X = X - 50;
}

void Game::RandomLetter() {
    Y = static_cast<float>(static_cast<double>(random_.next()) * 51);
    while (Y < 1) Y = Y + 5;
}

void Game::NewLetter() {
    RandomLeft();
    RandomLetter();
    Label1.Visible = true;
    Label1.Top = 360;
    Label1.Left = X;
    Label1.ForeColor = colours::white;
    Label1.Caption = module1.Letters.at(static_cast<std::size_t>(roundHalfEven(Y)));
}

}  // namespace runeshot
