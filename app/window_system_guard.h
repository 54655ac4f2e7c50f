// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#pragma once

namespace runeshot {

// With no display to open, Qt prints several lines about platform plugins and aborts with
// a core dump. Between these two calls, made around building the QApplication, Qt's
// messages are held back; if the window system cannot be opened, the program says why in
// one line on standard error and ends with a failure status.
void holdQtMessagesUntilWindowSystemOpens();
// The window system is open: the held-back messages are passed on unchanged.
void releaseHeldQtMessages();

}  // namespace runeshot
