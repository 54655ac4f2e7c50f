// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include "ui/control_painter.h"

#include <algorithm>

#include <QApplication>
#include <QPainter>
#include <QPalette>
#include <QPixmapCache>
#include <QPolygonF>

#include "ui/fonts.h"

namespace runeshot {

namespace {

// A bordered label's sunken edge is two pixels deep; its caption starts inside it.
constexpr int sunkenEdge = 2;

Qt::Alignment horizontalAlignment(Alignment alignment) {
    switch (alignment) {
    case Alignment::Right: return Qt::AlignRight;
    case Alignment::Center: return Qt::AlignHCenter;
    case Alignment::Left: break;
    }
    return Qt::AlignLeft;
}

// Qt centres a pen wider than a device pixel on its path: at higher densities paths run
// through the middle of their design pixels, so outlines cover those pixels enlarged.
qreal pathOffset(const QPainter& painter) {
    return painter.deviceTransform().m11() > 1 ? 0.5 : 0.0;
}

// One design pixel wide at every scale; square corners and ends, so that a rectangle's
// outline and a rule's ends fill their corner pixels.
QPen designPen(const QColor& colour) {
    QPen pen(colour, 1);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

// The sunken edge in the standard desktop colours, whatever theme the desktop uses: two
// rings of one pixel, each darker above and to the left than below and to the right.
void drawSunkenEdge(QPainter& painter, const QRect& rect) {
    const QPointF offset(pathOffset(painter), pathOffset(painter));
    auto ring = [&](const QRect& r, const QColor& upperLeft, const QColor& lowerRight) {
        painter.setPen(designPen(upperLeft));
        painter.drawPolyline(QPolygonF({QPointF(r.left(), r.bottom() - 1), QPointF(r.topLeft()),
                                        QPointF(r.right() - 1, r.top())})
                                 .translated(offset));
        painter.setPen(designPen(lowerRight));
        painter.drawPolyline(QPolygonF({QPointF(r.bottomLeft()), QPointF(r.bottomRight()),
                                        QPointF(r.topRight())})
                                 .translated(offset));
    };
    ring(rect, QColor(128, 128, 128), QColor(255, 255, 255));
    ring(rect.adjusted(1, 1, -1, -1), QColor(0, 0, 0), QColor(192, 192, 192));
}

// Shaping a caption costs more than the rest of a letter's step, and glyphs above 64 pixels
// (the banner) are drawn as outlines: each caption is drawn once and copied while it stays.
void drawCaption(QPainter& painter, const QRect& rect, int flags, const QString& caption,
                 const Font& font, const QColor& colour) {
    if (rect.isEmpty()) return;
    const qreal ratio = painter.device()->devicePixelRatioF();
    const QString key = QStringLiteral("caption|%1|%2|%3|%4|%5|%6x%7|%8|%9")
                            .arg(caption, QString::fromStdString(font.Name))
                            .arg(font.Size)
                            .arg(font.Bold)
                            .arg(colour.rgba())
                            .arg(rect.width())
                            .arg(rect.height())
                            .arg(flags)
                            .arg(ratio);
    QPixmap pixmap;
    if (!QPixmapCache::find(key, &pixmap)) {
        pixmap = QPixmap(rect.size() * ratio);
        pixmap.setDevicePixelRatio(ratio);
        pixmap.fill(Qt::transparent);
        QPainter offscreen(&pixmap);
        offscreen.setFont(qtFont(font));
        offscreen.setPen(colour);
        offscreen.drawText(QRect(QPoint(0, 0), rect.size()), flags, caption);
        offscreen.end();
        QPixmapCache::insert(key, pixmap);
    }
    painter.drawPixmap(rect.topLeft(), pixmap);
}

void paintLabel(QPainter& painter, const Label& label, const TextMeasure& measure) {
    QRect rect = labelPixelRect(label, measure);
    if (label.BorderStyle == 1) {
        drawSunkenEdge(painter, rect);
        rect.adjust(sunkenEdge, sunkenEdge, -sunkenEdge, -sunkenEdge);
    }
    if (label.BackStyle == 1) painter.fillRect(rect, qtColour(resolveColour(label.BackColor)));

    // An auto-sized label holds its caption on one line; any other breaks it at spaces and
    // clips what still does not fit.
    int flags = int(horizontalAlignment(label.Alignment) | Qt::AlignTop);
    if (!label.AutoSize) flags |= Qt::TextWordWrap;
    const QString caption = QString::fromStdString(label.Caption);

    const Font& font = label.Font;
    painter.save();
    painter.setClipRect(rect, Qt::IntersectClip);
    if (label.Enabled) {
        drawCaption(painter, rect, flags, caption, font, qtColour(resolveColour(label.ForeColor)));
    } else {
        // The toolkit's disabled look: grey text etched into the surface.
        const QPalette palette = QApplication::palette();
        drawCaption(painter, rect.translated(1, 1), flags, caption, font,
                    palette.color(QPalette::Disabled, QPalette::Light));
        drawCaption(painter, rect, flags, caption, font,
                    palette.color(QPalette::Disabled, QPalette::WindowText));
    }
    painter.restore();
}

void paintShape(QPainter& painter, const Shape& shape) {
    const QRect bounds = pixelRect({shape.Left, shape.Top, shape.Width, shape.Height});
    QRect rect = bounds;
    if (shape.Kind == ShapeKind::Circle || shape.Kind == ShapeKind::Square) {
        // The largest circle or square that fits, centred in the control's rectangle.
        const int side = std::min(bounds.width(), bounds.height());
        rect = QRect(0, 0, side, side);
        rect.moveCenter(bounds.center());
    }
    // Outline and fill share one pixel grid: the outline runs on the rectangle's edge
    // pixels, so it is drawn one pixel short of the far edges.
    const qreal offset = pathOffset(painter);
    const QRectF outline = QRectF(rect.adjusted(0, 0, -1, -1)).translated(offset, offset);
    const int radius = std::min(rect.width(), rect.height()) / 4;

    auto draw = [&](const QPen& pen, const QBrush& brush) {
        painter.setPen(pen);
        painter.setBrush(brush);
        switch (shape.Kind) {
        case ShapeKind::Oval:
        case ShapeKind::Circle: painter.drawEllipse(outline); break;
        case ShapeKind::RoundedRectangle: painter.drawRoundedRect(outline, radius, radius); break;
        case ShapeKind::Rectangle:
        case ShapeKind::Square: painter.drawRect(outline); break;
        }
    };

    if (shape.BackStyle == 1) draw(Qt::NoPen, qtColour(resolveColour(shape.BackColor)));
    const QColor fill = qtColour(resolveColour(shape.FillColor));
    switch (shape.FillStyle) {
    case FillStyle::Transparent: break;
    case FillStyle::Solid: draw(Qt::NoPen, QBrush(fill, Qt::SolidPattern)); break;
    case FillStyle::HorizontalLine: draw(Qt::NoPen, QBrush(fill, Qt::HorPattern)); break;
    case FillStyle::VerticalLine: draw(Qt::NoPen, QBrush(fill, Qt::VerPattern)); break;
    case FillStyle::UpwardDiagonal: draw(Qt::NoPen, QBrush(fill, Qt::BDiagPattern)); break;
    case FillStyle::DownwardDiagonal: draw(Qt::NoPen, QBrush(fill, Qt::FDiagPattern)); break;
    case FillStyle::Cross: draw(Qt::NoPen, QBrush(fill, Qt::CrossPattern)); break;
    case FillStyle::DiagonalCross: draw(Qt::NoPen, QBrush(fill, Qt::DiagCrossPattern)); break;
    }
    draw(designPen(qtColour(resolveColour(shape.BorderColor))), Qt::NoBrush);
}

void paintLine(QPainter& painter, const Line& line) {
    painter.setPen(designPen(qtColour(resolveColour(line.BorderColor))));
    const qreal offset = pathOffset(painter);
    painter.drawLine(QLineF(pixelsFromTwips(line.X1), pixelsFromTwips(line.Y1),
                            pixelsFromTwips(line.X2), pixelsFromTwips(line.Y2))
                         .translated(offset, offset));
}

}  // namespace

Twips twipsFromPixels(qreal pixels) { return static_cast<Twips>(pixels * twipsPerPixel); }

QRect qtRect(const PixelRect& rect) { return {rect.Left, rect.Top, rect.Width, rect.Height}; }

QRect pixelRect(const TwipsRect& rect) { return qtRect(pixelsOf(rect)); }

QColor qtColour(Colour colour) { return {redOf(colour), greenOf(colour), blueOf(colour)}; }

QRect labelPixelRect(const Label& label, const TextMeasure& measure) {
    return pixelRect(labelRect(label, measure));
}

QRect controlPixelRect(const GraphicalControl& control, const TextMeasure& measure) {
    return qtRect(pixelsOf(control, measure));
}

void paintControls(QPainter& painter, const std::vector<GraphicalControl>& controls,
                   const TextMeasure& measure, const QRegion& dirty) {
    // The form's controls are drawn on whole pixels, unsmoothed, as the designer placed them.
    painter.setRenderHint(QPainter::Antialiasing, false);
    // Hatch patterns are enlarged with the rest of the design on high-density screens.
    painter.setRenderHint(QPainter::NonCosmeticBrushPatterns);
    painter.setBackgroundMode(Qt::TransparentMode);
    for (const GraphicalControl& control : controls) {
        if (!std::visit([](const auto* c) { return c->Visible; }, control)) continue;
        // Painting the whole status bar for a letter's step would cost more than all the
        // rest of the repaint.
        if (!dirty.intersects(controlPixelRect(control, measure))) continue;
        if (const Label* const* label = std::get_if<const Label*>(&control)) {
            paintLabel(painter, **label, measure);
        } else if (const Shape* const* shape = std::get_if<const Shape*>(&control)) {
            paintShape(painter, **shape);
        } else if (const Line* const* line = std::get_if<const Line*>(&control)) {
            paintLine(painter, **line);
        }
    }
}

}  // namespace runeshot
