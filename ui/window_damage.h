// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#pragma once

#include <vector>

#include <QRegion>

#include "shell/control_look.h"
#include "shell/text_measure.h"

namespace runeshot {

// What the window repaints after an input: where the changed controls of a surface were
// and are now (shell/control_damage.h).
QRegion damageOf(const std::vector<ControlChange>& changes, const TextMeasure& measure);

}  // namespace runeshot
