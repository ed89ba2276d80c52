#include "app/FormLaden.h"

#include "controls/Buttons.h"
#include "controls/DatasetTableModel.h"
#include "controls/DialogService.h"
#include "controls/ErrorGuard.h"
#include "data/DataModule.h"
#include "data/LogList.h"
#include "data/Shell.h"
#include "engine/Identifier.h"
#include "values/ListColumns.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {

QString notAListNameText(const QString &name)
{
    return QStringLiteral("Der Name \"") + name
           + QStringLiteral("\" ist kein gültiger Listenname. Die Liste kann nicht bearbeitet werden.");
}

} // namespace

TFormLaden::TFormLaden(TDMod &dmod, data::Shell &shell, controls::DialogService &dialogs, QWidget *parent)
    : QDialog(parent), m_dmod(dmod), m_shell(shell), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("FormLaden"));
    setWindowTitle(QStringLiteral("Liste laden..."));

    m_model = new controls::DatasetTableModel(m_dmod.qryDorvZusatz,
                                    {controls::GridColumn{values::headercolumn::Offset, QStringLiteral("Liste"), 130, Qt::AlignLeft | Qt::AlignVCenter, true, {}, {}},
                                     controls::GridColumn{values::headercolumn::Zusatztext, QStringLiteral("Text"), 250, Qt::AlignLeft | Qt::AlignVCenter, true, {}, {}}},
                                    this);
    m_model->setReadOnly(true);

    m_dbluplLaden = new QTableView(this);
    m_dbluplLaden->setObjectName(QStringLiteral("dbluplLaden"));
    m_dbluplLaden->setModel(m_model);
    m_dbluplLaden->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_dbluplLaden->setSelectionMode(QAbstractItemView::SingleSelection);
    m_dbluplLaden->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_dbluplLaden->setTabKeyNavigation(false);
    m_dbluplLaden->setShowGrid(false);
    m_dbluplLaden->setWordWrap(false);
    m_dbluplLaden->horizontalHeader()->hide();
    m_dbluplLaden->verticalHeader()->hide();
    m_dbluplLaden->verticalHeader()->setDefaultSectionSize(m_dbluplLaden->fontMetrics().height() + 4);
    m_dbluplLaden->setColumnWidth(0, 130);
    m_dbluplLaden->horizontalHeader()->setStretchLastSection(true);
    m_dbluplLaden->installEventFilter(this);
    connect(m_dbluplLaden, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex &index) {
        if (index.isValid())
            btnOeffnenClick();
    });

    QPushButton *btnOeffnen = controls::defaultButton("&Öffnen", "btnOeffnen", this);
    QPushButton *btnLoeschen = controls::button("&Löschen", "btnLoeschen", this);
    QPushButton *btnAbbruch = controls::button("&Abbruch", "btnAbbruch", this);
    connect(btnOeffnen, &QPushButton::clicked, this, &TFormLaden::btnOeffnenClick);
    connect(btnLoeschen, &QPushButton::clicked, this, &TFormLaden::btnLoeschenClick);
    connect(btnAbbruch, &QPushButton::clicked, this, &TFormLaden::btnAbbruchClick);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_dbluplLaden, 1);
    layout->addLayout(controls::buttonRow({btnOeffnen, btnLoeschen}, {btnAbbruch}));
    resize(400, 260);
}

bool TFormLaden::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_dbluplLaden && event->type() == QEvent::KeyRelease) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (!key->isAutoRepeat())
            dbluplLadenKeyUp(key->key());
    }
    return QDialog::eventFilter(watched, event);
}

void TFormLaden::FormActivate()
{
    controls::guarded(m_dialogs, [&] {
        fillListBox();
        if (!m_dmod.qryDorvZusatz.isEmpty()) {
            selectRow(0);
            m_dbluplLaden->setFocus();
        }
    });
}

void TFormLaden::fillListBox()
{
    m_dbluplLaden->clearSelection();
    m_dbluplLaden->setCurrentIndex(QModelIndex());
    m_dmod.qryDorvZusatz.close();
    m_dmod.qryDorvZusatz.setSql(data::loglist::allHeadersSql());
    m_dmod.qryDorvZusatz.open();
}

void TFormLaden::selectRow(int row)
{
    const QModelIndex index = m_model->index(row, 0);
    m_dbluplLaden->setCurrentIndex(index);
    m_dbluplLaden->selectionModel()->select(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

QString TFormLaden::selectedListName() const
{
    const QModelIndex current = m_dbluplLaden->currentIndex();
    if (!current.isValid() || !m_dbluplLaden->selectionModel()->isRowSelected(current.row(), {}))
        return {};
    const int field = m_dmod.qryDorvZusatz.fieldIndex(values::headercolumn::Offset);
    if (field < 0)
        return {};
    return m_dmod.qryDorvZusatz.value(current.row(), field).toString();
}

bool TFormLaden::selectList(const QString &name)
{
    const int field = m_dmod.qryDorvZusatz.fieldIndex(values::headercolumn::Offset);
    for (int row = 0; field >= 0 && row < m_model->rowCount(); ++row) {
        if (m_dmod.qryDorvZusatz.value(row, field).toString() == name) {
            selectRow(row);
            return true;
        }
    }
    return false;
}

void TFormLaden::dbluplLadenKeyUp(int key)
{
    if (key == Qt::Key_Delete)
        btnLoeschenClick();
}

void TFormLaden::btnAbbruchClick()
{
    reject();
}

void TFormLaden::btnOeffnenClick()
{
    controls::guarded(m_dialogs, [&] {
        const QString name = selectedListName();
        if (name.isEmpty() || name == m_shell.currentListName()) {
            m_dialogs.information(QStringLiteral("Sie haben keine (neue) Datei ausgewählt!"));
            return;
        }
        // A stored name goes into statements as a table name: only a plain identifier may.
        if (!engine::isPlainIdentifier(name)) {
            m_dialogs.error(notAListNameText(name));
            return;
        }
        ListeOeffnen(name);
        accept();
    });
}

void TFormLaden::ListeOeffnen(const QString &name)
{
    m_shell.setCurrentListName(name);
    data::loglist::openList(m_dmod.qryDorvTabelle, name);
    m_shell.SQLVorbereiten();
    m_shell.FuelleStatusBar(true);
    m_shell.setListMenus(true);
}

void TFormLaden::btnLoeschenClick()
{
    controls::guarded(m_dialogs, [&] {
        const QString name = selectedListName();
        if (!m_dialogs.confirm(QStringLiteral("Datei ") + name + QStringLiteral(" löschen?")))
            return;
        if (!engine::isPlainIdentifier(name)) {
            m_dialogs.error(name.isEmpty() ? QStringLiteral("Sie haben keine Liste ausgewählt!") : notAListNameText(name));
            return;
        }
        ListeLoeschen(name);
    });
}

void TFormLaden::ListeLoeschen(const QString &name)
{
    const QString current = m_shell.currentListName();
    // Table files do not tell case apart: another case of the letters is the same list.
    const bool deletingCurrent = !current.isEmpty() && name.compare(current, Qt::CaseInsensitive) == 0;

    // Another list that stays open gets its log query back, also when the deletion failed.
    const auto reopenCurrent = [&] {
        if (current.isEmpty() || deletingCurrent)
            return;
        data::loglist::openList(m_dmod.qryDorvTabelle, current);
    };

    m_dmod.qryDorvTabelle.close();
    try {
        data::loglist::deleteList(m_dmod.dbDorv, name);
    } catch (...) {
        controls::guarded(m_dialogs, reopenCurrent);
        throw;
    }
    fillListBox();

    if (deletingCurrent) {
        // The open list is gone: the main window goes to "no list", as closing does.
        m_shell.setCurrentListName(QString());
        m_shell.FuelleStatusBar(false);
        m_shell.setListMenus(false);
    } else {
        reopenCurrent();
    }
}
