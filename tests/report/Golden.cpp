#include "Golden.h"

#include <QFile>
#include <QStringList>

namespace {

QString goldenPath(const char *name)
{
    return QStringLiteral(DORV_GOLDEN_DIR "/") + QString::fromLatin1(name);
}

} // namespace

::testing::AssertionResult matchesGolden(const QString &dump, const char *name)
{
    QFile file(goldenPath(name));
    if (qEnvironmentVariableIntValue("DORV_UPDATE_GOLDEN") == 1) {
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(dump.toUtf8()) < 0)
            return ::testing::AssertionFailure() << "cannot write " << file.fileName().toStdString();
        return ::testing::AssertionSuccess();
    }
    if (!file.open(QIODevice::ReadOnly))
        return ::testing::AssertionFailure() << "no golden file " << file.fileName().toStdString()
                                             << " (DORV_UPDATE_GOLDEN=1 writes it)";
    const QString expected = QString::fromUtf8(file.readAll());
    if (dump == expected)
        return ::testing::AssertionSuccess();
    const QStringList want = expected.split(u'\n');
    const QStringList got = dump.split(u'\n');
    qsizetype line = 0;
    while (line < want.size() && line < got.size() && want[line] == got[line])
        ++line;
    return ::testing::AssertionFailure() << name << " differs first in line " << line + 1 << ":\n  expected: "
                                         << (line < want.size() ? want[line].toStdString() : "(end)")
                                         << "\n  laid out: " << (line < got.size() ? got[line].toStdString() : "(end)");
}
