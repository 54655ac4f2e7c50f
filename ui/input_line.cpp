// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include "ui/input_line.h"

#include <QInputMethodEvent>
#include <QKeyEvent>

namespace runeshot {

namespace {

int latin1Code(QChar c) {
    const char16_t code = c.unicode();
    return code >= 1 && code <= 255 ? int(code) : 0;
}

}  // namespace

InputLine::InputLine(KeyPressHandler onKeyPress, QWidget* parent)
    : QLineEdit(parent), onKeyPress_(std::move(onKeyPress)) {
    // The line paints every pixel of its rectangle itself, so repainting it does not
    // repaint the whole starfield beneath it.
    setAutoFillBackground(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

int InputLine::keyAsciiOf(const QKeyEvent& event) {
    const QString text = event.text();
    if (text.size() == 1) return latin1Code(text.front());
    if (!text.isEmpty()) return 0;
    // Some platforms send these keys without their control character.
    switch (event.key()) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Escape: return 27;
    default: return 0;
    }
}

void InputLine::keyPressEvent(QKeyEvent* event) {
    if (const int KeyAscii = keyAsciiOf(*event)) onKeyPress_(KeyAscii);
    // The judge may have run a late tick that ended the game and disabled the line.
    if (isEnabled()) QLineEdit::keyPressEvent(event);
}

// Characters composed by an input method or dead keys are typed characters too.
void InputLine::inputMethodEvent(QInputMethodEvent* event) {
    for (const QChar c : event->commitString()) {
        if (const int KeyAscii = latin1Code(c)) onKeyPress_(KeyAscii);
    }
    if (isEnabled()) QLineEdit::inputMethodEvent(event);
}

}  // namespace runeshot
