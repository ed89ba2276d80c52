#include "evaluation/ListReports.h"

#include "data/DataModule.h"
#include "data/Shell.h"

namespace evaluation {

namespace {

using Range = report::DatasetPipeline::Range;

// A printed list of the current list: the template `<name>.rtm` over the rows of `rows` as the
// pipeline `<name>`, with the header data both lists print: list header, company, totals and
// weighted length.
report::PreparedReport listReport(TDMod &dmod, data::Shell &shell, const QString &name, const data::Dataset &rows)
{
    shell.SQLVorbereiten();
    report::PreparedReport r(templatePath(shell, name + QStringLiteral(".rtm")));
    r.addPipeline(name, rows, Range::AllRows);
    r.addPipeline(QStringLiteral("Zusatzdaten"), *dmod.dsDorvZusatz.dataset, Range::CurrentRecord);
    r.addPipeline(QStringLiteral("Firma"), *dmod.dsFirma.dataset, Range::CurrentRecord);
    r.addPipeline(QStringLiteral("ZusZusatz"), *dmod.dsZusZusatz.dataset, Range::CurrentRecord);
    r.addPipeline(QStringLiteral("gesVol"), *dmod.dsGesVolumen.dataset, Range::CurrentRecord);
    // Follows gesVol: the data module reopens it with the new total whenever gesVol reopens.
    r.addPipeline(QStringLiteral("GewLaenge"), *dmod.dsGewogeneLaenge.dataset, Range::CurrentRecord);
    return r;
}

} // namespace

QString templatePath(const data::Shell &shell, const QString &fileName)
{
    return shell.reportPath() + fileName;
}

report::PreparedReport stammliste(TDMod &dmod, data::Shell &shell)
{
    return listReport(dmod, shell, QStringLiteral("Dorvliste"), *dmod.dsDorvTabelle.dataset);
}

report::PreparedReport zusammenfassung(TDMod &dmod, data::Shell &shell)
{
    return listReport(dmod, shell, QStringLiteral("Zusammenfassung"), *dmod.dsZusammenfassung.dataset);
}

} // namespace evaluation

void StammlisteDrucken(TDMod &dmod, data::Shell &shell, const QString &device, QWidget *parent)
{
    evaluation::stammliste(dmod, shell).print(device, parent);
}

void ZusammenfassungDrucken(TDMod &dmod, data::Shell &shell, const QString &device, QWidget *parent)
{
    evaluation::zusammenfassung(dmod, shell).print(device, parent);
}
