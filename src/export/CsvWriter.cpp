#include "export/CsvWriter.h"

#include "export/DecimalText.h"

namespace exporting {

namespace {

const QString titleLine = QStringLiteral("Stamm-Nr;Länge;Durchmesser;Durchm. eff;Güteklasse;Volumen;Stärkeklasse");

void appendNumber(QString &line, const std::optional<int> &value)
{
    if (value)
        line += QString::number(*value);
}

} // namespace

QString csvField(const QString &text)
{
    const bool needsQuotes = text.contains(u';') || text.contains(u'"') || text.contains(u'\n') || text.contains(u'\r');
    if (!needsQuotes)
        return text;
    QString quoted = text;
    quoted.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return QChar(u'"') + quoted + QChar(u'"');
}

QByteArray csvDocument(const std::vector<ExportLog> &logs)
{
    QByteArray out("\xEF\xBB\xBF");
    out.reserve(qsizetype(logs.size()) * 32 + 96);
    out += titleLine.toUtf8();
    out += "\r\n";
    QString line;
    for (const ExportLog &log : logs) {
        line = QString::number(log.id);
        line += u';';
        appendNumber(line, log.length);
        line += u';';
        appendNumber(line, log.diameter);
        line += u';';
        appendNumber(line, log.effectiveDiameter);
        line += u';';
        line += csvField(log.quality);
        line += u';';
        if (log.volume)
            line += decimalText(*log.volume, u',');
        line += u';';
        line += csvField(log.diameterClass);
        out += line.toUtf8();
        out += "\r\n";
    }
    return out;
}

} // namespace exporting
