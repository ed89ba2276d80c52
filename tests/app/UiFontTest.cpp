#include "app/UiFont.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>

#include <gtest/gtest.h>

namespace {

// Where "sans-serif" resolved to a fixed-pitch face, every window was drawn in it.
TEST(UiFontTest, AFixedPitchDefaultFontIsReplacedByAProportionalOne)
{
    const QFont before = QApplication::font();
    QString mono;
    for (const QString &family : QFontDatabase::families())
        if (QFontDatabase::isFixedPitch(family) && QFontInfo(QFont(family)).fixedPitch())
            mono = family;
    if (mono.isEmpty())
        GTEST_SKIP() << "no fixed-pitch font installed";
    QFont font = before;
    font.setFamilies({mono});
    QApplication::setFont(font);
    ASSERT_TRUE(QFontInfo(QApplication::font()).fixedPitch());

    app::ensureProportionalUiFont();
    EXPECT_FALSE(QFontInfo(QApplication::font()).fixedPitch()) << QApplication::font().family().toStdString();
    EXPECT_EQ(QApplication::font().pointSizeF(), before.pointSizeF());

    // A proportional font is left as it is.
    const QFont proportional = QApplication::font();
    app::ensureProportionalUiFont();
    EXPECT_EQ(QApplication::font(), proportional);
    QApplication::setFont(before);
}

} // namespace
