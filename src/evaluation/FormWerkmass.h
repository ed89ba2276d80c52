#pragma once

#include "evaluation/MillComparison.h"

#include <QDialog>
#include <QString>

#include <optional>

namespace controls { class DialogService; }
namespace data { class Shell; }
class QLabel;
class QPushButton;
class QTableView;

namespace evaluation {
class MillTableModel;
}

// The window "Werkmaß prüfen": the sawmill's protocol header, the summary line, the table by
// quality and diameter class and the single logs with the notable ones marked, as the plain
// evaluation::MillComparison holds them. It prints them, writes them as CSV, and changes no
// stored log.
class TFormWerkmass : public QDialog
{
    Q_OBJECT

public:
    TFormWerkmass(data::Shell &shell, controls::DialogService &dialogs, QWidget *parent = nullptr);

    // Shows the comparison of this list.
    void setComparison(evaluation::MillComparison comparison, const QString &listName);

    void btnDruckenClick();
    void btnCsvClick();

    QLabel *lblKopf = nullptr;
    QLabel *lblWarnung = nullptr;
    QLabel *lblSumme = nullptr;
    QTableView *grdKlassen = nullptr;
    QTableView *grdStaemme = nullptr;
    QPushButton *btnDrucken = nullptr;
    QPushButton *btnCsv = nullptr;
    QPushButton *btnSchliessen = nullptr;

private:
    void buildLayout();

    data::Shell &m_shell;
    controls::DialogService &m_dialogs;
    evaluation::MillTableModel *m_classes = nullptr;
    evaluation::MillTableModel *m_logs = nullptr;
    std::optional<evaluation::MillComparison> m_comparison;
    QString m_listName;
    QString m_folder;
};
