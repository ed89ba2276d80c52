#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <gtest/gtest.h>

// Files as version 2.0 wrote them, for the import's tests.
namespace legacyfiles {

// One log: seven lines, each ended by CR LF; the seventh is not read.
inline QByteArray record(int id, int laenge, int durchmein, const QByteArray &gueteklasse, const QByteArray &volumen,
                         const QByteArray &staerkeklasse, const QByteArray &seventhLine = {})
{
    return QByteArray::number(id) + "\r\n" + QByteArray::number(laenge) + "\r\n" + QByteArray::number(durchmein) + "\r\n"
           + gueteklasse + "\r\n" + volumen + "\r\n" + staerkeklasse + "\r\n" + seventhLine + "\r\n";
}

// A list of `count` logs numbered from 1, lengths, diameters and classes varying with the number.
inline QByteArray list(int count)
{
    QByteArray bytes;
    for (int id = 1; id <= count; ++id)
        bytes += record(id, 8 + id % 10, 20 + id % 30, id % 3 == 0 ? "Cgw " : "B", QByteArray::number(0.1 + (id % 97) * 0.0125, 'f', 4),
                        id % 2 == 0 ? "2a" : "3b");
    return bytes;
}

// Writes `bytes` as the whole file `name` in `folder`; returns its path.
inline QString write(const QString &folder, const QString &name, const QByteArray &bytes)
{
    const QString path = QDir(folder).filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    file.write(bytes);
    return path;
}

} // namespace legacyfiles
