// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include "shell/label_reading.h"

#include "shell/design_colours.h"

namespace runeshot {

std::string readableName(const Form1& form, const Label& label) {
    const std::string& caption = label.Caption;
    const auto first = caption.find_first_not_of(" \t");
    std::string name =
        first == std::string::npos ? "" : caption.substr(first, caption.find_last_not_of(" \t") - first + 1);
    if (&label == &form.Label1 && label.ForeColor == colours::red) name += ", red";
    return name;
}

const Label* captionOf(const Form1& form, const Label& count) {
    if (&count == &form.lblShooted) return &form.Label2;
    if (&count == &form.lblMissed) return &form.Label4;
    if (&count == &form.lbltime) return &form.Label3;
    return nullptr;
}

}  // namespace runeshot
