// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include "web/form_json.h"

#include <cstdio>
#include <variant>

#include "shell/event_dispatcher.h"
#include "shell/label_reading.h"
#include "shell/pixel_rect.h"

namespace runeshot {

namespace {

std::string css(Colour colour) {
    const Colour c = resolveColour(colour);
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", redOf(c), greenOf(c), blueOf(c));
    return text;
}

void writeRect(JsonWriter& json, const TwipsRect& twips) {
    const PixelRect rect = pixelsOf(twips);
    json.value("x", double(rect.Left)).value("y", double(rect.Top));
    json.value("w", double(rect.Width)).value("h", double(rect.Height));
}

void writeFont(JsonWriter& json, const Font& font) {
    json.beginObject("font")
        .value("face", font.Name)
        .value("px", double(pixelsFromPoints(font.Size)))
        .value("bold", font.Bold)
        .endObject();
}

void writeLabel(JsonWriter& json, const Form1& form, const Label& l, const TextMeasure& measure) {
    const TwipsRect rect = labelRect(l, measure);
    json.beginObject().value("kind", "label").value("name", l.Name).value("caption", l.Caption);
    json.value("readable", readableName(form, l));
    if (const Label* caption = captionOf(form, l)) json.value("labelledBy", caption->Name);
    writeRect(json, rect);
    json.value("visible", l.Visible)
        .value("enabled", l.Enabled)
        .value("fore", css(l.ForeColor))
        .value("back", css(l.BackColor))
        .value("opaque", l.BackStyle == 1)
        .value("wrap", !l.AutoSize)
        .value("align", double(l.Alignment))
        .value("sunken", l.BorderStyle == 1);
    writeFont(json, l.Font);
    if (takesClicks(form, l)) {
        const TwipsRect hit = labelInWindow(form, l, measure);
        json.numbers("click", {hit.Left, hit.Top, hit.Width, hit.Height});
    }
    json.endObject();
}

void writeShape(JsonWriter& json, const Shape& s) {
    json.beginObject().value("kind", "shape").value("name", s.Name).value("shape", double(s.Kind));
    writeRect(json, {s.Left, s.Top, s.Width, s.Height});
    json.value("visible", s.Visible)
        .value("opaque", s.BackStyle == 1)
        .value("back", css(s.BackColor))
        .value("fillStyle", double(s.FillStyle))
        .value("fill", css(s.FillColor))
        .value("border", css(s.BorderColor))
        .endObject();
}

void writeLine(JsonWriter& json, const Line& l) {
    json.beginObject()
        .value("kind", "line")
        .value("name", l.Name)
        .value("x1", double(pixelsFromTwips(l.X1)))
        .value("y1", double(pixelsFromTwips(l.Y1)))
        .value("x2", double(pixelsFromTwips(l.X2)))
        .value("y2", double(pixelsFromTwips(l.Y2)))
        .value("visible", l.Visible)
        .value("border", css(l.BorderColor))
        .endObject();
}

void writeControls(JsonWriter& json, const char* name, const Form1& form,
                   const std::vector<GraphicalControl>& controls, const TextMeasure& measure) {
    json.beginArray(name);
    for (const GraphicalControl& control : controls) writeControl(json, form, control, measure);
    json.endArray();
}

// What every windowed control shows: its place, colours, face and place in the tab order.
template <typename Control>
void writePlaceAndLook(JsonWriter& json, const Control& c) {
    writeRect(json, {c.Left, c.Top, c.Width, c.Height});
    json.value("visible", c.Visible)
        .value("fore", css(c.ForeColor))
        .value("back", css(c.BackColor));
    writeFont(json, c.Font);
    json.value("tabIndex", double(c.TabIndex));
}

}  // namespace

void writeControl(JsonWriter& json, const Form1& form, const GraphicalControl& control,
                  const TextMeasure& measure) {
    if (const Label* const* label = std::get_if<const Label*>(&control)) {
        writeLabel(json, form, **label, measure);
    } else if (const Shape* const* shape = std::get_if<const Shape*>(&control)) {
        writeShape(json, **shape);
    } else {
        writeLine(json, *std::get<const Line*>(control));
    }
}

void writeWindowed(JsonWriter& json, const Frame& f) {
    json.beginObject(f.Name);
    writeRect(json, {f.Left, f.Top, f.Width, f.Height});
    json.value("visible", f.Visible).value("back", css(f.BackColor)).endObject();
}

void writeWindowed(JsonWriter& json, const TextBox& t) {
    json.beginObject(t.Name)
        .value("text", t.Text)
        .value("enabled", t.Enabled)
        .value("maxLength", double(t.MaxLength))
        .value("align", double(t.Alignment));
    writePlaceAndLook(json, t);
    json.endObject();
}

void writeWindowed(JsonWriter& json, const OptionButton& o) {
    json.beginObject(o.Name).value("caption", o.Caption).value("value", o.Value);
    writePlaceAndLook(json, o);
    json.endObject();
}

void writeWindowed(JsonWriter& json, const ComboBox& c) {
    json.beginObject(c.Name).value("text", c.Text).beginArray("list");
    for (const std::string& item : c.List) json.element(item);
    json.endArray();
    writePlaceAndLook(json, c);
    json.endObject();
}

void writeForm(JsonWriter& json, const Form1& form, const TextMeasure& measure) {
    writeControls(json, "window", form, form.windowPaintOrder(), measure);
    writeControls(json, "panel", form, form.panelPaintOrder(), measure);
    writeWindowed(json, form.Frame1);
    writeWindowed(json, form.Text1);
    writeWindowed(json, form.Option1);
    writeWindowed(json, form.Option2);
    writeWindowed(json, form.Combo1);
}

}  // namespace runeshot
