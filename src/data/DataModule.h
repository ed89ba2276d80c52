#pragma once

#include "data/Dataset.h"
#include "engine/Connection.h"

#include <QObject>

#include <functional>

namespace data {

class Shell;

// The rule operations on the current row of the log query, offered by the log entry window.
class LogRowRules
{
public:
    virtual ~LogRowRules() = default;
    virtual void DurchmeffBerechnen(Dataset &logQuery, bool geschaelt) = 0;
    virtual double VolumenBerechnen() = 0;
    virtual void GueteklasseUmsetzen() = 0;
    virtual void StaerkeklasseBerechnen() = 0;
};

// A data source names the dataset a control or report reads.
struct DataSource
{
    Dataset *dataset;
};

} // namespace data

// The data module: the connection and every shared query of the program.
class TDMod : public QObject
{
    Q_OBJECT

public:
    explicit TDMod(data::Shell &shell, QObject *parent = nullptr);
    ~TDMod() override;

    engine::Connection dbDorv;

    data::Dataset qryDorvTabelle;
    data::Dataset qryDorvNeueNr;
    data::Dataset qryDorvZusatz;
    data::Dataset qryDorvsatzgeloescht;
    data::Dataset qryZusammenfasssung;
    data::Dataset qryZusZusatz;
    data::Dataset qryGesamtVolumen;
    data::Dataset qryGewogeneLaenge;
    data::Dataset qryFirma;
    data::Dataset qryKunden;
    data::Dataset qryRechnung;
    data::Dataset qryMatchcode;
    data::Dataset qryTmp;

    data::DataSource dsDorvTabelle{&qryDorvTabelle};
    data::DataSource dsDorvZusatz{&qryDorvZusatz};
    data::DataSource dsZusammenfassung{&qryZusammenfasssung};
    data::DataSource dsZusZusatz{&qryZusZusatz};
    data::DataSource dsGesVolumen{&qryGesamtVolumen};
    data::DataSource dsGewogeneLaenge{&qryGewogeneLaenge};
    data::DataSource dsFirma{&qryFirma};
    data::DataSource dsKunden{&qryKunden};
    data::DataSource dsRechnung{&qryRechnung};
    data::DataSource dsMatchcode{&qryMatchcode};

    static const QString RechnungSql;

    // The log number of the row being deleted, from before the deletion until after it.
    int GeloeschteID = 0;

    // Opens the connection on the data path and the company query. Errors propagate to the
    // caller's guard; start-up then goes on.
    void DataModuleCreate();
    // Closes every query and the connection; DataModuleCreate opens them again.
    void DataModuleDestroy();

    // Points the summary queries and the header query at the list `listName` and opens them;
    // nothing for no list.
    void prepareListQueries(const QString &listName);

    bool CheckDatensatz() const;

    // Deletes the current log and closes the numbering gap, all or nothing.
    void deleteCurrentLog();

    void setLogRowRules(data::LogRowRules *rules) { m_rules = rules; }
    // Whether the current list's logs were measured without bark: the rules of every posted
    // log derive the effective diameter by it. The entry window sets it from the list's header
    // and from its check box.
    void setGeschaelt(bool geschaelt) { m_geschaelt = geschaelt; }
    bool geschaelt() const { return m_geschaelt; }
    // Asks a Yes/No question (the dialog service's confirmation).
    void setConfirmation(std::function<bool(const QString &)> confirm) { m_confirm = std::move(confirm); }

    void qryDorvTabelleNewRecord(data::Dataset &ds);
    void qryDorvTabelleBeforePost(data::Dataset &ds);
    void qryDorvTabelleBeforeDelete(data::Dataset &ds);
    void qryDorvTabelleAfterDelete(data::Dataset &ds);
    void qryKundenNewRecord(data::Dataset &ds);
    void qryKundenBeforeClose(data::Dataset &ds);

private:
    data::Shell &m_shell;
    data::LogRowRules *m_rules = nullptr;
    bool m_geschaelt = true;
    std::function<bool(const QString &)> m_confirm;
};
