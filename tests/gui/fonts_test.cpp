// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include <gtest/gtest.h>

#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>

#include "ui/fonts.h"

namespace runeshot {
namespace {

// Liberation Sans under another name of the same length, in both encodings its name
// table uses, stands for a system that has the form's own face.
QByteArray renamed(QByteArray font, const QString& from, const QString& to) {
    font.replace(from.toLatin1(), to.toLatin1());
    const auto utf16be = [](const QString& s) {
        QByteArray bytes;
        for (QChar c : s) bytes.append('\0').append(char(c.unicode()));
        return bytes;
    };
    return font.replace(utf16be(from), utf16be(to));
}

TEST(Fonts, TheFormsOwnFaceIsUsedWhereTheSystemHasItAndTheStandInElsewhere) {
    const Font banner{"Tempus Sans ITC", 48, false};
    EXPECT_EQ(QFontInfo(qtFont(banner)).family(), "Comic Neue");

    // Debian 12 keeps Liberation 2 in liberation2/, Debian 13 in liberation/.
    QFile file("/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf");
    if (!file.exists()) {
        file.setFileName("/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf");
    }
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
    const int id = QFontDatabase::addApplicationFontFromData(
        renamed(file.readAll(), "Liberation Sans", "Tempus Sans ITC"));
    ASSERT_NE(id, -1);
    EXPECT_EQ(QFontInfo(qtFont(banner)).family(), "Tempus Sans ITC");
    QFontDatabase::removeApplicationFont(id);
}

}  // namespace
}  // namespace runeshot
