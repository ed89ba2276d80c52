#include "data/DeliveredTables.h"

#include "engine/Connection.h"
#include "engine/EngineError.h"
#include "engine/Tokenizer.h"
#include "engine/Transaction.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace data {

namespace {

// The statements of a script, split at the semicolons between them.
QStringList statementsOf(const QString &script)
{
    QStringList statements;
    QString current;
    for (const engine::Token &t : engine::tokenize(script)) {
        if (t.kind == engine::TokenKind::Semicolon) {
            if (!current.trimmed().isEmpty())
                statements << current.trimmed();
            current.clear();
        } else if (!(t.kind == engine::TokenKind::Space && t.text.startsWith(QLatin1String("--")))) {
            current += t.text;
        }
    }
    if (!current.trimmed().isEmpty())
        statements << current.trimmed();
    return statements;
}

} // namespace

QStringList createDeliveredTables(const QString &dataFolder, const QString &sqlFolder)
{
    engine::Connection db;
    db.open({QStringLiteral("PATH=") + dataFolder});
    QStringList created;
    const QFileInfoList scripts = QDir(sqlFolder).entryInfoList({QStringLiteral("*.sql")}, QDir::Files, QDir::Name);
    for (const QFileInfo &script : scripts) {
        const QString table = script.completeBaseName();
        if (db.tableExists(table))
            continue;
        QFile file(script.filePath());
        if (!file.open(QIODevice::ReadOnly))
            throw engine::EngineError(QStringLiteral("Cannot read %1").arg(script.filePath()));
        engine::Transaction tx(db);
        for (const QString &statement : statementsOf(QString::fromUtf8(file.readAll())))
            db.execute(statement);
        tx.commit();
        created << table;
    }
    return created;
}

} // namespace data
