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
    // A spreadsheet takes a cell beginning with one of these as a formula: a leading
    // apostrophe keeps it the text that was typed.
    static const QString formulaStarts = QStringLiteral("=+-@\t\r");
    const QString cell = !text.isEmpty() && formulaStarts.contains(text.front()) ? QChar(u'\'') + text : text;
    const bool needsQuotes = cell.contains(u';') || cell.contains(u'"') || cell.contains(u'\n') || cell.contains(u'\r');
    if (!needsQuotes)
        return cell;
    QString quoted = cell;
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
