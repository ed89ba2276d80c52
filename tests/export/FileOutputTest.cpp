// Whole-file writing: a file is written whole or not at all, on a full disk the write fails
// visibly and the old file stays.
#include "export/FileOutput.h"

#include "support/FileBytes.h"
#include "support/FullDisk.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden);
}

TEST(FileOutput, AFileIsWrittenWholeOrNotAtAll)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Rechnung_1.xml"));
    exporting::writeWholeFile(path, "first");
    exporting::writeWholeFile(path, "second");
    QFile written(path);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), "second");
    written.close();

    // A folder that does not exist: a clear message, nothing left behind.
    const QString missing = dir.filePath(QStringLiteral("fehlt/Rechnung_1.xml"));
    try {
        exporting::writeWholeFile(missing, "x");
        FAIL() << "no error";
    } catch (const exporting::FileError &e) {
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("Die Datei ") + QDir::toNativeSeparators(missing) + QStringLiteral(" konnte nicht geschrieben werden")))
            << e.message().toStdString();
    }

    // A folder in the way of the file: refused, the folder stays.
    QDir(dir.path()).mkdir(QStringLiteral("Ordner"));
    EXPECT_THROW(exporting::writeWholeFile(dir.filePath(QStringLiteral("Ordner")), "x"), exporting::FileError);
    EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("Ordner"))).isDir());

    // A read-only folder (not for root, who writes anyway) keeps the file that was there, and no temporary file remains.
    if (QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner) && !QFileInfo(dir.path()).isWritable()) {
        EXPECT_THROW(exporting::writeWholeFile(path, "third"), exporting::FileError);
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        ASSERT_TRUE(written.open(QIODevice::ReadOnly));
        EXPECT_EQ(written.readAll(), "second");
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"Rechnung_1.xml"}) << "no temporary file left";
    }
}

TEST(FileOutputFullDisk, SmallAndLargeFilesFailAndKeepTheOldFile)
{
    const std::unique_ptr<FullDisk> disk = FullDisk::mount();
    if (!disk)
        GTEST_SKIP() << FullDisk::SkipMessage;
    writeFile(disk->filePath(QStringLiteral("alt.csv")), "Nr;Holzart\n1;FI\n");
    disk->fill();
    for (const qsizetype size : {qsizetype(100), qsizetype(4000), qsizetype(200000)}) {
        try {
            exporting::writeWholeFile(disk->filePath(QStringLiteral("alt.csv")), QByteArray(size, 'x'));
            FAIL() << "a write of " << size << " bytes onto a full disk was reported as done";
        } catch (const exporting::FileError &e) {
            EXPECT_TRUE(e.message().endsWith(QStringLiteral(": Der Datenträger ist voll."))) << e.message().toStdString();
        }
        EXPECT_EQ(readFile(disk->filePath(QStringLiteral("alt.csv"))), QByteArray("Nr;Holzart\n1;FI\n"));
        EXPECT_THROW(exporting::writeWholeFile(disk->filePath(QStringLiteral("neu.xml")), QByteArray(size, 'x')), exporting::FileError);
        EXPECT_EQ(filesIn(disk->path()), (QStringList{QStringLiteral(".filler"), QStringLiteral("alt.csv")}));
    }
}

TEST(FileOutputPending, TheTargetChangesOnlyWhenPlaced)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Rechnung.xml"));
    writeFile(path, "alt");
    {
        exporting::PendingFile pending(path, "neu");
        EXPECT_EQ(readFile(path), QByteArray("alt"));
    }
    EXPECT_EQ(readFile(path), QByteArray("alt"));
    EXPECT_EQ(filesIn(dir.path()), QStringList{QStringLiteral("Rechnung.xml")}) << "the temporary file stays behind";
    exporting::PendingFile pending(path, "neu");
    pending.place();
    EXPECT_EQ(readFile(path), QByteArray("neu"));
}

} // namespace
