// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

// The window and the settings panel as designed: every control's start values and the
// stacking order. Positions are in twips; inside the panel they are relative to the panel.
#include "shell/design_colours.h"
#include "shell/form1.h"

namespace runeshot {

namespace {

using namespace colours;

const Font dialog{"MS Sans Serif", 8.25, false};
const Font dialogBold{"MS Sans Serif", 8.25, true};
const Font button{"MS Sans Serif", 9.75, true};

void place(Label& l, const char* name, const char* caption, Twips left, Twips top,
           Twips width, Twips height, Colour fore, const Font& font) {
    l.Name = name;
    l.Caption = caption;
    l.Left = left;
    l.Top = top;
    l.Width = width;
    l.Height = height;
    l.ForeColor = fore;
    l.Font = font;
    l.BackStyle = 0;
}

void outline(Shape& shape, const char* name, ShapeKind kind, Twips left, Twips top,
             Twips width, Twips height) {
    shape.Name = name;
    shape.Kind = kind;
    shape.Left = left;
    shape.Top = top;
    shape.Width = width;
    shape.Height = height;
}

void rule(Line& line, const char* name, Twips x1, Twips y1, Twips x2, Twips y2) {
    line.Name = name;
    line.X1 = x1;
    line.Y1 = y1;
    line.X2 = x2;
    line.Y2 = y2;
}

void designStatusBar(Form1& f) {
    place(f.Label2, "Label2", "Shooted :", 120, 120, 1215, 255, lightOrange, dialog);
    place(f.lblShooted, "lblShooted", "0", 960, 120, 255, 255, white, dialog);
    place(f.Label4, "Label4", "Missed :", 1320, 120, 615, 255, lightOrange, dialog);
    place(f.lblMissed, "lblMissed", "0", 2040, 120, 255, 375, white, dialog);
    place(f.Label3, "Label3", "Time Left:", 2400, 120, 855, 255, paleYellow, dialog);
    place(f.lbltime, "lbltime", "100", 3240, 120, 375, 255, paleGreen, dialogBold);
    place(f.Label6, "Label6", "s", 3600, 120, 135, 255, paleAqua, dialog);
    place(f.lblSettings, "lblSettings", "SETTINGS", 4440, 120, 1155, 240, white, button);
    place(f.lblNew, "lblNew", "NEW GAME", 6480, 120, 1245, 240, paleGreen, button);
    place(f.lblPause, "lblPause", "PAUSE ", 7920, 120, 840, 240, paleGreen, button);
    place(f.lblQuit, "lblQuit", "QUIT", 9000, 120, 795, 240, paleGreen, button);
    for (Label* l : {&f.lblSettings, &f.lblNew, &f.lblPause, &f.lblQuit}) l->AutoSize = true;

    outline(f.Shape1, "Shape1", ShapeKind::Rectangle, 0, 0, 9855, 495);
    f.Shape1.BackStyle = 1;
    f.Shape1.BackColor = slateBlue;
    f.Shape1.FillStyle = FillStyle::Transparent;

    outline(f.Shape2, "Shape2", ShapeKind::Rectangle, 0, 0, 9855, 495);
    f.Shape2.BackStyle = 0;
    f.Shape2.FillStyle = FillStyle::DiagonalCross;
    f.Shape2.FillColor = hatchGreen;

    rule(f.Line1, "Line1", 1200, 0, 1200, 480);
    rule(f.Line2, "Line2", 2280, 0, 2280, 480);
    rule(f.Line3, "Line3", 3720, 0, 3720, 480);
    rule(f.Line4, "Line4", 6360, -120, 6360, 480);
    rule(f.Line5, "Line5", 7800, 0, 7800, 480);
    rule(f.Line6, "Line6", 8880, 0, 8880, 480);
}

void designPlayField(Form1& f) {
    place(f.Label1, "Label1", "G", 4320, 1320, 690, 1095, white,
          Font{"Times New Roman", 48, false});
    f.Label1.Visible = false;
    f.Label1.AutoSize = true;
    f.Label1.BackColor = darkGreen;

    place(f.lblOver, "lblOver", "Time is Over!", 840, 1680, 465, 60, yellow,
          Font{"Tempus Sans ITC", 2.25, true});
    f.lblOver.Visible = false;
    f.lblOver.AutoSize = true;
    f.lblOver.BackColor = deepGreen;

    f.Text1.Name = "Text1";
    f.Text1.Text = "PRESS THE RIGHT KEY";
    f.Text1.Left = 0;
    f.Text1.Top = 4800;
    f.Text1.Width = 9855;
    f.Text1.Height = 315;
    f.Text1.ForeColor = paleYellow;
    f.Text1.BackColor = 0x80000006u;
    f.Text1.Font = Font{"Times New Roman", 8.25, false};
    f.Text1.Alignment = Alignment::Center;
    f.Text1.MaxLength = 19;
    f.Text1.TabIndex = 1;

    f.Timer1.Name = "Timer1";
    f.Timer1.Interval = 200;
    f.Timer2.Name = "Timer2";
    f.Timer2.Interval = 500;
    f.Timer3.Name = "Timer3";
    f.Timer3.Interval = 1000;
}

// The panel and what it paints, placed relative to the panel.
void designSettingsPanel(Form1& f) {
    f.Frame1.Name = "Frame1";
    f.Frame1.Left = 3480;
    f.Frame1.Top = 600;
    f.Frame1.Width = 2655;
    f.Frame1.Height = 3615;
    f.Frame1.BackColor = darkGreen;
    f.Frame1.Visible = false;

    place(f.Label5, "Label5", "Pellora Runeshot Settings", 240, 120, 2055, 195, 0x8000000Eu,
          dialog);
    f.Label5.AutoSize = true;
    rule(f.Line7, "Line7", 0, 360, 2640, 360);
    rule(f.Line8, "Line8", 0, 0, 2640, 0);

    place(f.Label7, "Label7", "Game Speed", 240, 720, 1575, 255, 0x8000000Au, dialog);
    outline(f.Shape3, "Shape3", ShapeKind::RoundedRectangle, 120, 960, 2415, 375);
    f.Shape3.FillStyle = FillStyle::Solid;
    f.Shape3.FillColor = black;
    f.Shape3.BackStyle = 0;

    place(f.Label8, "Label8", "Time", 240, 1680, 345, 195, 0x8000000Bu, dialog);
    f.Label8.AutoSize = true;
    outline(f.Shape4, "Shape4", ShapeKind::Circle, 240, 1800, 2295, 1335);
    f.Shape4.BackStyle = 1;
    f.Shape4.BackColor = 0x80000006u;
    place(f.Label11, "Label11", "Seconds", 1080, 2520, 735, 255, lightCyan, dialog);

    place(f.Label10, "Label10", "Cancel", 240, 3120, 855, 375, yellow, button);
    place(f.Label9, "Label9", "Ok", 1560, 3120, 975, 375, yellow, button);
    for (Label* l : {&f.Label9, &f.Label10}) {
        l->BorderStyle = 1;
        l->Alignment = Alignment::Center;
    }
}

// The speed's option buttons and the game-length box stand over the panel but belong to
// the window: window coordinates.
void designSettingsWidgets(Form1& f) {
    for (OptionButton* o : {&f.Option1, &f.Option2}) {
        o->Top = 1680;
        o->Width = 855;
        o->Height = 195;
        o->ForeColor = lightCyan;
        o->BackColor = black;
        o->Font = dialog;
        o->Visible = false;
    }
    f.Option1.Name = "Option1";
    f.Option1.Caption = "Normal";
    f.Option1.Left = 4080;
    f.Option1.Value = true;
    f.Option1.TabIndex = 16;
    f.Option2.Name = "Option2";
    f.Option2.Caption = "Speed";
    f.Option2.Left = 5040;
    f.Option2.Value = false;
    f.Option2.TabIndex = 17;

    f.Combo1.Name = "Combo1";
    f.Combo1.Text = "100";
    f.Combo1.Left = 4440;
    f.Combo1.Top = 2760;
    f.Combo1.Width = 1095;
    f.Combo1.Height = 315;
    f.Combo1.ForeColor = 0x80000005u;
    f.Combo1.BackColor = brown;
    f.Combo1.Font = dialogBold;
    f.Combo1.Visible = false;
    f.Combo1.TabIndex = 22;
}

}  // namespace

Form1::Form1() {
    designStatusBar(*this);
    designPlayField(*this);
    designSettingsPanel(*this);
    designSettingsWidgets(*this);
}

std::vector<GraphicalControl> Form1::windowPaintOrder() const {
    return {&Label1,  &lblOver,     &Shape1, &Line1,      &Line2,  &Line3,
            &Line4,   &Line5,       &Line6,  &Shape2,     &lblSettings, &Label2,
            &lblShooted, &Label4,   &lblMissed, &Label3,  &lbltime, &Label6,
            &lblPause, &lblNew,     &lblQuit};
}

std::vector<GraphicalControl> Form1::panelPaintOrder() const {
    return {&Label5, &Line7, &Line8, &Label7, &Shape3,
            &Label8, &Shape4, &Label9, &Label10, &Label11};
}

}  // namespace runeshot
