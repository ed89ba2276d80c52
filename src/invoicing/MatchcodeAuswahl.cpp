#include "invoicing/MatchcodeAuswahl.h"

#include "data/Dataset.h"
#include "invoicing/FormMatchcode.h"

void MatchcodeAuswahl(TFormMatchcode &window, data::Dataset &query, const QString &statement, const QString &resultField,
                      QString &result)
{
    window.setMatchcodeSQL(statement);
    window.exec();
    try {
        result = query.isOpen() && !query.isEmpty() ? query.text(resultField) : QString();
    } catch (...) {
        query.close();
        throw;
    }
    query.close();
}
