#include "EntryWindowFixture.h"

#include "support/ListBuilder.h"

void EntryWindowDriver::createList(const TestHeader &header, const std::vector<TestLog> &logs)
{
    std::vector<testlists::StoredLog> stored;
    for (const TestLog &log : logs)
        stored.push_back({log.id, log.laenge, log.durchmein, log.durchmeff, log.gueteklasse, log.volumen, log.staerkeklasse});
    testlists::addList(dmod().dbDorv, list,
                       testlists::Header{header.abteilung, header.baumart, header.sorte, header.beschreibung, header.geschaelt,
                                         header.gerueckt},
                       stored);
    testlists::open(dmod(), shell(), list);
}

std::vector<TestLog> EntryWindowDriver::someLogs(int n) const
{
    std::vector<TestLog> logs;
    for (int i = 1; i <= n; ++i)
        logs.push_back({i, 10, 19 + i, 18 + i, QStringLiteral("B"), 0.3, QStringLiteral("2a")});
    return logs;
}

void EntryWindowDriver::show(StammeingabeMode mode)
{
    form().setMode(mode);
    form().show();
    QApplication::setActiveWindow(&form());
    EXPECT_TRUE(QTest::qWaitForWindowActive(&form()));
    settle();
}

QWidget *EntryWindowDriver::focus()
{
    QWidget *w = QApplication::focusWidget();
    return w ? w : &grid();
}

void EntryWindowDriver::type(const QString &asciiText)
{
    for (const QChar c : asciiText) {
        QTest::keyClick(focus(), c.toLatin1());
        settle();
    }
}

void EntryWindowDriver::key(Qt::Key k, Qt::KeyboardModifiers modifiers)
{
    QTest::keyClick(focus(), k, modifiers);
    settle();
}

void EntryWindowDriver::clickCell(int row, int column)
{
    QTableView &view = grid();
    view.scrollTo(view.model()->index(row, column));
    const QRect cell = view.visualRect(view.model()->index(row, column));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    settle();
}

std::vector<TestLog> EntryWindowDriver::storedLogs()
{
    std::vector<TestLog> logs;
    const engine::ResultSet r = dmod().dbDorv.query(QStringLiteral("SELECT * FROM Wald ORDER BY ID"));
    for (const auto &row : r.rows)
        logs.push_back({row[0].toInt(), row[1].toInt(), row[2].toInt(), row[3].toInt(), row[4].toString(), row[5].toDouble(),
                        row[6].toString()});
    return logs;
}

QStringList EntryWindowDriver::storedHeader()
{
    const engine::ResultSet r = dmod().dbDorv.query(
        QStringLiteral("SELECT ZUSATZTEXT, ABTEILUNG, BAUMART, SORTE, GESCHAELT, GERUECKT FROM DORVZUSATZ WHERE OFFSET = 'Wald'"));
    QStringList out;
    if (r.rows.empty())
        return out;
    for (const QVariant &v : r.rows.front())
        out << (v.typeId() == QMetaType::Bool ? QString::number(v.toBool()) : v.toString());
    return out;
}
