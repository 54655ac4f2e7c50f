// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include <gtest/gtest.h>

#include <QImage>
#include <QSet>

#include <vector>

#include "ui/pictures.h"

namespace {

int brightness(QRgb p) { return std::max({qRed(p), qGreen(p), qBlue(p)}); }

// Stars are the clusters of pixels far brighter than the speckle around them.
std::vector<int> starSizes(const QImage& image) {
    std::vector<int> sizes;
    std::vector<bool> seen(size_t(image.width() * image.height()));
    for (int y0 = 0; y0 < image.height(); ++y0) {
        for (int x0 = 0; x0 < image.width(); ++x0) {
            if (seen[y0 * image.width() + x0] || brightness(image.pixel(x0, y0)) < 144) continue;
            int size = 0;
            std::vector<QPoint> todo{{x0, y0}};
            seen[y0 * image.width() + x0] = true;
            while (!todo.empty()) {
                const QPoint p = todo.back();
                todo.pop_back();
                ++size;
                for (int dy = -2; dy <= 2; ++dy) {
                    for (int dx = -2; dx <= 2; ++dx) {
                        const QPoint q = p + QPoint(dx, dy);
                        if (!image.rect().contains(q)) continue;
                        const size_t i = size_t(q.y() * image.width() + q.x());
                        if (seen[i] || brightness(image.pixel(q)) < 144) continue;
                        seen[i] = true;
                        todo.push_back(q);
                    }
                }
            }
            sizes.push_back(size);
        }
    }
    return sizes;
}

TEST(Starfield, IsABlackFieldOfSmallStarsInThirtyTwoColours) {
    const QImage image = runeshot::starfieldImage();
    ASSERT_EQ(image.size(), QSize(665, 364));

    QSet<QRgb> expected;
    for (int k = 0; k < 16; ++k) {
        expected.insert(qRgb(16 * k, 16 * k, 16 * k));
        expected.insert(qRgb(16 * k + 15, 16 * k + 8, 16 * k + 15));
    }
    QSet<QRgb> used;
    int black = 0, bright = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            used.insert(p);
            black += p == qRgb(0, 0, 0);
            bright += brightness(p) > 64;
        }
    }
    EXPECT_EQ(used, expected);
    const double pixels = image.width() * image.height();
    EXPECT_NEAR(black / pixels, 0.8, 0.01);
    EXPECT_NEAR(bright / pixels, 1.0 / 60, 0.003);

    const std::vector<int> stars = starSizes(image);
    EXPECT_NEAR(double(stars.size()), 270, 20);
    EXPECT_LE(*std::max_element(stars.begin(), stars.end()), 24);
}

TEST(Starfield, IconIsThirtyTwoPixelsSquareInSixteenColours) {
    const QImage icon = runeshot::iconImage();
    ASSERT_EQ(icon.size(), QSize(32, 32));
    QSet<QRgb> colours;
    for (int y = 0; y < icon.height(); ++y) {
        for (int x = 0; x < icon.width(); ++x) colours.insert(icon.pixel(x, y));
    }
    EXPECT_LE(colours.size(), 16);
    EXPECT_GT(colours.size(), 2);
}

}  // namespace
