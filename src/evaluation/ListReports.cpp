#include "evaluation/ListReports.h"

#include "data/DataModule.h"
#include "data/Shell.h"

namespace evaluation {

namespace {

using Range = report::DatasetPipeline::Range;

// The header data both lists print: list header, company, totals and weighted length.
void addHeaderPipelines(report::PreparedReport &r, TDMod &dmod)
{
    r.addPipeline(QStringLiteral("Zusatzdaten"), *dmod.dsDorvZusatz.dataset, Range::CurrentRecord);
    r.addPipeline(QStringLiteral("Firma"), *dmod.dsFirma.dataset, Range::CurrentRecord);
    r.addPipeline(QStringLiteral("ZusZusatz"), *dmod.dsZusZusatz.dataset, Range::CurrentRecord);
    r.addPipeline(QStringLiteral("gesVol"), *dmod.dsGesVolumen.dataset, Range::CurrentRecord);
    // Follows gesVol: the data module reopens it with the new total whenever gesVol reopens.
    r.addPipeline(QStringLiteral("GewLaenge"), *dmod.dsGewogeneLaenge.dataset, Range::CurrentRecord);
}

} // namespace

QString templatePath(const data::Shell &shell, const QString &fileName)
{
    return shell.reportPath() + fileName;
}

report::PreparedReport stammliste(TDMod &dmod, data::Shell &shell)
{
    shell.SQLVorbereiten();
    report::PreparedReport r(templatePath(shell, QStringLiteral("Dorvliste.rtm")));
    r.addPipeline(QStringLiteral("Dorvliste"), *dmod.dsDorvTabelle.dataset, Range::AllRows);
    addHeaderPipelines(r, dmod);
    return r;
}

report::PreparedReport zusammenfassung(TDMod &dmod, data::Shell &shell)
{
    shell.SQLVorbereiten();
    report::PreparedReport r(templatePath(shell, QStringLiteral("Zusammenfassung.rtm")));
    r.addPipeline(QStringLiteral("Zusammenfassung"), *dmod.dsZusammenfassung.dataset, Range::AllRows);
    addHeaderPipelines(r, dmod);
    return r;
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
