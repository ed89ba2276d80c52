#include "export/CsvWriter.h"

#include "export/DecimalText.h"

namespace exporting {

namespace {

const QString titleLine = QStringLiteral("Stamm-Nr;Länge;Durchmesser;Durchm. eff;Güteklasse;Volumen;Stärkeklasse");

void appendNumber(QByteArray &line, const std::optional<int> &value)
{
    if (value)
        line += QByteArray::number(*value);
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
    for (const ExportLog &log : logs) {
        out += QByteArray::number(log.id);
        out += ';';
        appendNumber(out, log.length);
        out += ';';
        appendNumber(out, log.diameter);
        out += ';';
        appendNumber(out, log.effectiveDiameter);
        out += ';';
        out += csvField(log.quality).toUtf8();
        out += ';';
        if (log.volume)
            out += decimalText(*log.volume, u',').toLatin1();
        out += ';';
        out += csvField(log.diameterClass).toUtf8();
        out += "\r\n";
    }
    return out;
}

} // namespace exporting
