#include "ProgramFixture.h"

#include "app/FormUeberDorv.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

using AboutTest = ProgramTest;

TEST_F(AboutTest, ShowsTitleAndVersionAndOpensItsLinksThroughTheDesktop)
{
    TFormUeberDorv &about = *program.windows().FormUeberDorv;
    EXPECT_EQ(about.windowTitle(), QStringLiteral("Dorv Version 3.0d"));
    EXPECT_EQ(about.findChild<QLabel *>(QStringLiteral("lblProgrammname"))->text(), QStringLiteral("Dorv"));
    EXPECT_EQ(about.findChild<QLabel *>(QStringLiteral("lblVersion"))->text(), QStringLiteral("Version 3.0d"));
    EXPECT_EQ(about.findChild<QLabel *>(QStringLiteral("lblInternet"))->text(), QStringLiteral("Internet:"));
    EXPECT_EQ(about.findChild<QLabel *>(QStringLiteral("lblEMail"))->text(), QStringLiteral("eMail:"));
    EXPECT_EQ(about.size(), QSize(325, 324));
    EXPECT_TRUE(about.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(about.palette().color(QPalette::Window), QColor(189, 190, 189));

    about.show();
    QCoreApplication::processEvents();
    auto *web = about.findChild<QLabel *>(QStringLiteral("lblInternetAdresse"));
    auto *mail = about.findChild<QLabel *>(QStringLiteral("lblEMailAdresse"));
    ASSERT_NE(web, nullptr);
    ASSERT_NE(mail, nullptr);
    EXPECT_EQ(web->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseClick(web, Qt::LeftButton);
    QTest::mouseClick(mail, Qt::LeftButton);
    EXPECT_EQ(dialogs.urls, (QStringList{web->text(), QStringLiteral("mailto:") + mail->text()}));

    auto *close = about.findChild<QPushButton *>(QStringLiteral("btnSchliessen"));
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(close->text(), QStringLiteral("&Schließen"));
    QTest::mouseClick(close, Qt::LeftButton);
    EXPECT_FALSE(about.isVisible());
}

} // namespace
