// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

// The page played in Debian's Chromium, then in Debian's Firefox ESR (driven through
// WebDriver BiDi), both headless.

import { playCases } from './play_cases.mjs';

playCases('chromium');
playCases('firefox');
