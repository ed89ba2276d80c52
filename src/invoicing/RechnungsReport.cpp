#include "invoicing/RechnungsReport.h"

#include "data/DataModule.h"
#include "report/DatasetPipeline.h"

namespace invoicing {

namespace {

using report::DatasetPipeline;
using Range = DatasetPipeline::Range;

// The customer columns the invoice reads; offered empty when no customer has been looked up
// yet, so that the address prints empty instead of the print failing.
report::TablePipeline keinKunde()
{
    return report::TablePipeline({QStringLiteral("ID"), QStringLiteral("NRKD"), QStringLiteral("SUCHNAME"), QStringLiteral("FIRMA"),
                                  QStringLiteral("VORNAME"), QStringLiteral("NAME"), QStringLiteral("STRASSE"), QStringLiteral("LAND"),
                                  QStringLiteral("PLZ"), QStringLiteral("ORT"), QStringLiteral("SKONTO"), QStringLiteral("SKONTOTAGE"),
                                  QStringLiteral("NETTOTAGE")});
}

} // namespace

RechnungsReport::RechnungsReport(const QString &templatePath, TDMod &dmod, const data::Dataset &rechnungsdaten)
{
    m_report.clear();
    m_report.setTemplateFileName(templatePath);
    m_report.loadFromFile();
    addPipeline(QStringLiteral("dbFirma"), std::make_unique<DatasetPipeline>(dmod.qryFirma, Range::CurrentRecord));
    if (dmod.qryKunden.fieldCount() > 0)
        addPipeline(QStringLiteral("dbKunden"), std::make_unique<DatasetPipeline>(dmod.qryKunden, Range::CurrentRecord));
    else
        addPipeline(QStringLiteral("dbKunden"), std::make_unique<report::TablePipeline>(keinKunde()));
    addPipeline(QStringLiteral("dbDorvdaten"), std::make_unique<DatasetPipeline>(dmod.qryRechnung, Range::AllRows));
    addPipeline(QStringLiteral("dbZusatzdaten"), std::make_unique<DatasetPipeline>(dmod.qryDorvZusatz, Range::CurrentRecord));
    addPipeline(QStringLiteral("dbRechnungsdaten"), std::make_unique<DatasetPipeline>(rechnungsdaten, Range::CurrentRecord));
    addPipeline(QStringLiteral("Firma"), std::make_unique<DatasetPipeline>(dmod.qryFirma, Range::CurrentRecord));
}

void RechnungsReport::addPipeline(const QString &name, std::unique_ptr<report::Pipeline> pipeline)
{
    m_pipelines.push_back(std::move(pipeline));
    m_report.setPipeline(name, m_pipelines.back().get());
}

void RechnungsReport::print(const QString &device, QWidget *parent)
{
    struct ResetOnExit
    {
        report::Report &report;
        ~ResetOnExit() { report.reset(); }
    } resetOnExit{m_report};
    m_report.setDeviceType(device);
    m_report.print(parent);
}

} // namespace invoicing
