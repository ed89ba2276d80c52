#include "support/ListBuilder.h"

#include "data/DataModule.h"
#include "data/Shell.h"
#include "engine/Connection.h"
#include "engine/Transaction.h"

namespace testlists {

namespace {

void insertLogs(engine::Connection &db, const QString &name, const std::vector<StoredLog> &logs)
{
    const QString insert = data::loglist::insertLogSql(name);
    for (const StoredLog &log : logs)
        db.execute(insert, {{QStringLiteral("ID"), log.id},
                            {QStringLiteral("LAENGE"), log.laenge},
                            {QStringLiteral("DURCHMEIN"), log.durchmein},
                            {QStringLiteral("DURCHMEFF"), log.durchmeff},
                            {QStringLiteral("GUETEKLASSE"), log.gueteklasse},
                            {QStringLiteral("VOLUMEN"), log.volumen},
                            {QStringLiteral("STAERKEKLASSE"), log.staerkeklasse}});
}

} // namespace

Header sampleHeader()
{
    return Header{QStringLiteral("12 B"), QStringLiteral("Fichte"), QStringLiteral("Stammholz"), QStringLiteral("am Weg"),
                  true, false};
}

void addList(engine::Connection &db, const QString &name, const std::optional<Header> &header,
             const std::vector<StoredLog> &logs)
{
    engine::Transaction tx(db);
    data::loglist::addListTables(db, name);
    data::loglist::addHeaderRow(db, name, header);
    insertLogs(db, name, logs);
    tx.commit();
}

void addLogs(engine::Connection &db, const QString &name, const std::vector<StoredLog> &logs)
{
    engine::Transaction tx(db);
    insertLogs(db, name, logs);
    tx.commit();
}

void open(TDMod &dmod, data::Shell &shell, const QString &name)
{
    shell.setCurrentListName(name);
    dmod.qryDorvTabelle.setSql(data::loglist::logsSql(name));
    dmod.qryDorvTabelle.open();
}

} // namespace testlists
