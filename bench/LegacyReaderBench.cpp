// Reading a version 2.0 list file of 100,000 logs, without storing them: the part of an import
// that is the reader's own.
#include "import/LegacyReader.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int logCount = 100000;

void ReadLegacyList(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Wald.dvz"));
    {
        QByteArray bytes;
        for (int id = 1; id <= logCount; ++id)
            bytes += QByteArray::number(id) + "\r\n12\r\n35\r\nC\r\n1,0306\r\n3a\r\n\r\n";
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
    }
    for (auto _ : state) {
        int logs = 0;
        importing::readLegacyLogs(path, false, [&](const values::LogRow &) { ++logs; });
        benchmark::DoNotOptimize(logs);
    }
}

} // namespace

BENCHMARK(ReadLegacyList)->Unit(benchmark::kMillisecond);
