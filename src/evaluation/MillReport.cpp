#include "evaluation/MillReport.h"

#include "evaluation/MillComparison.h"
#include "evaluation/MillTexts.h"
#include "report/Pipeline.h"

#include <memory>

namespace evaluation {

namespace {

using report::TablePipeline;

constexpr int rowColumns = 14;

QStringList lineFields()
{
    QStringList fields{QStringLiteral("Teil"), QStringLiteral("Markiert")};
    for (int i = 1; i <= rowColumns; ++i)
        fields << QStringLiteral("C%1").arg(i);
    return fields;
}

QVariantList line(const QString &part, bool marked, const QStringList &texts)
{
    QVariantList values{part, marked ? QStringLiteral("!") : QString()};
    for (int i = 0; i < rowColumns; ++i)
        values << (i < texts.size() ? texts[i] : QString());
    return values;
}

} // namespace

report::PreparedReport werkmassReport(const QString &templatePath, const MillComparison &comparison, const QString &listName)
{
    report::PreparedReport r(templatePath);

    const QStringList header = comparison.headerLines();
    auto head = std::make_unique<TablePipeline>(QStringList{"Liste", "Kopf", "Warnung", "Zusammenfassung"});
    head->addRow({listName, header.join(QStringLiteral("   ")), comparison.warnings().join(QStringLiteral("   ")),
                  comparison.summaryLine()});
    r.addPipeline(QStringLiteral("Kopf"), std::move(head));

    auto lines = std::make_unique<TablePipeline>(lineFields());
    for (const MillClassRow &c : comparison.classRows()) {
        // Quality and class under the log and mill numbers, the figures right of the pairing's column.
        QStringList texts = millClassTexts(c);
        texts.insert(2, QString());
        lines->addRow(line(QStringLiteral("Klassen"), false, texts));
    }
    for (const MillRow &row : comparison.rows())
        lines->addRow(line(QStringLiteral("Stämme"), row.notable(), millRowTexts(row)));
    r.addPipeline(QStringLiteral("Zeilen"), std::move(lines));
    return r;
}

} // namespace evaluation
