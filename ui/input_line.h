// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#pragma once

#include <functional>

#include <QLineEdit>

namespace runeshot {

// Text1: every character typed into it goes to the key judge first, then the ordinary
// editing happens (which, with the line full, adds nothing).
class InputLine final : public QLineEdit {
public:
    // Called with KeyAscii, the character's code from 1 to 255.
    using KeyPressHandler = std::function<void(int)>;

    InputLine(KeyPressHandler onKeyPress, QWidget* parent);

    // The code a key event types, or 0 when it types no character of the single-byte set
    // (Shift alone, arrows, letters beyond Latin-1).
    static int keyAsciiOf(const QKeyEvent& event);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    KeyPressHandler onKeyPress_;
};

}  // namespace runeshot
