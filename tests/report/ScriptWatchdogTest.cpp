#include "report/Report.h"
#include "report/ReportError.h"

#include <gtest/gtest.h>

using namespace report;

// A template script that never ends stops with a message instead of freezing the print, and
// the next print of the same report works again.
TEST(ScriptWatchdog, EndlessScriptIsStoppedWithAMessage)
{
    Report r;
    r.loadFromData(R"J({"scripts": {"beforePageHeader": "if (typeof stopAfterFirst === 'undefined') { var stopAfterFirst = 1; while (true) {} }"},
        "pageHeader": {"height": 5, "items": [{"type": "label", "name": "x", "text": "Kopf"}]}})J",
                   QStringLiteral("endless.rtm"));
    QString message;
    try {
        r.dump();
    } catch (const ReportError &e) {
        message = e.message();
    }
    EXPECT_TRUE(message.contains(QStringLiteral("was stopped"))) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("beforePageHeader"))) << message.toStdString();

    Report quick;
    quick.loadFromData(R"J({"scripts": {"beforePageHeader": "var n = 0; for (var i = 0; i < 1000; ++i) n += i;"},
        "pageHeader": {"height": 5, "items": [{"type": "label", "name": "x", "text": "Kopf"}]}})J",
                       QStringLiteral("quick.rtm"));
    EXPECT_TRUE(quick.dump().contains(QStringLiteral("Kopf")));
}
