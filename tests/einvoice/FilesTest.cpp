// The proposed file name and writing a file whole or not at all.
#include "einvoice/EInvoiceError.h"
#include "einvoice/Files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(Files, ProposedNameReplacesWhatAFileNameCannotHold)
{
    using einvoice::proposedFileName;
    EXPECT_EQ(proposedFileName("2024-17"), "Rechnung_2024-17");
    EXPECT_EQ(proposedFileName("2024/17"), "Rechnung_2024_17");
    EXPECT_EQ(proposedFileName(R"(a\b:c*d?e"f<g>h|i)"), "Rechnung_a_b_c_d_e_f_g_h_i");
    EXPECT_EQ(proposedFileName(QString::fromUtf8("Müller 7\t")), QString::fromUtf8("Rechnung_Müller 7"));
    EXPECT_EQ(proposedFileName(QStringLiteral("x\ny")), "Rechnung_x_y");
}

TEST(Files, AFileIsWrittenWholeOrNotAtAll)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Rechnung_1.xml"));
    einvoice::saveFile(path, "first");
    einvoice::saveFile(path, "second");
    QFile written(path);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), "second");
    written.close();

    // A folder that does not exist: a clear message, nothing left behind.
    const QString missing = dir.filePath(QStringLiteral("fehlt/Rechnung_1.xml"));
    try {
        einvoice::saveFile(missing, "x");
        FAIL() << "no error";
    } catch (const einvoice::EInvoiceError &e) {
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("Die Datei ") + QDir::toNativeSeparators(missing) + QStringLiteral(" konnte nicht geschrieben werden")))
            << e.message().toStdString();
    }

    // A folder in the way of the file: refused, the folder stays.
    QDir(dir.path()).mkdir(QStringLiteral("Ordner"));
    EXPECT_THROW(einvoice::saveFile(dir.filePath(QStringLiteral("Ordner")), "x"), einvoice::EInvoiceError);
    EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("Ordner"))).isDir());

    // A read-only folder (not for root, who writes anyway) keeps the file that was there, and no temporary file remains.
    if (QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner) && !QFileInfo(dir.path()).isWritable()) {
        EXPECT_THROW(einvoice::saveFile(path, "third"), einvoice::EInvoiceError);
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        ASSERT_TRUE(written.open(QIODevice::ReadOnly));
        EXPECT_EQ(written.readAll(), "second");
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"Rechnung_1.xml"}) << "no temporary file left";
    }
}
