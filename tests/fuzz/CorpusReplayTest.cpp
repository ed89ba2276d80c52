#include "fuzz/FuzzLogic.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <exception>
#include <functional>

namespace {

using Check = std::function<void(QByteArrayView)>;

// Runs the check on every file of corpus/<target>/; each file is reported by name.
void replay(const char *target, const Check &check)
{
    const QDir dir(QStringLiteral(DORV_FUZZ_CORPUS_DIR "/") + QLatin1String(target));
    const QStringList files = dir.entryList(QDir::Files, QDir::Name);
    ASSERT_GE(files.size(), 5) << "corpus missing: " << dir.path().toStdString();
    for (const QString &name : files) {
        SCOPED_TRACE(name.toStdString());
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        try {
            check(bytes);
        } catch (const std::exception &e) {
            ADD_FAILURE() << target << "/" << name.toStdString() << ": " << e.what();
        } catch (...) {
            ADD_FAILURE() << target << "/" << name.toStdString() << ": unknown exception";
        }
    }
}

TEST(FuzzCorpus, LegacyReader) { replay("legacy_reader", fuzzlogic::legacyReader); }
TEST(FuzzCorpus, HarvesterReader) { replay("harvester_reader", fuzzlogic::harvesterReader); }
TEST(FuzzCorpus, DisplayFormat) { replay("display_format", fuzzlogic::displayFormat); }
TEST(FuzzCorpus, SqlDialect) { replay("sql_dialect", fuzzlogic::sqlDialect); }
TEST(FuzzCorpus, ReportTemplate) { replay("report_template", fuzzlogic::reportTemplate); }

} // namespace
