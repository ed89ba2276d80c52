// Whole-file writing on a full disk: the write fails visibly and the old file stays.
#include "export/FileOutput.h"

#include "support/FileBytes.h"
#include "support/FullDisk.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden);
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
