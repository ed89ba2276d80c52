#include "app/FormNeu.h"

#include "controls/Buttons.h"
#include "controls/DialogService.h"
#include "controls/ErrorGuard.h"
#include "data/DataModule.h"
#include "rules/ListNames.h"
#include "data/LogList.h"
#include "data/Shell.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TFormNeu::TFormNeu(TDMod &dmod, data::Shell &shell, controls::DialogService &dialogs, QWidget *parent)
    : QDialog(parent), m_dmod(dmod), m_shell(shell), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("FormNeu"));
    setWindowTitle(QStringLiteral("Neue Tabelle erstellen..."));

    auto *lblHinweis = new QLabel(QStringLiteral("Bitte geben Sie einen Namen für die neue Liste ein:"), this);
    lblHinweis->setObjectName(QStringLiteral("lblHinweis"));
    auto *lblListenname = new QLabel(QStringLiteral("Listenname:"), this);
    lblListenname->setObjectName(QStringLiteral("lblListenname"));
    m_edtTabellenname = new QLineEdit(this);
    m_edtTabellenname->setObjectName(QStringLiteral("edtTabellenname"));
    m_edtTabellenname->setMaxLength(rules::MaxListNameLength);
    lblListenname->setBuddy(m_edtTabellenname);

    const controls::ConfirmRow buttons = controls::confirmRow("&OK", "btnOk", this);
    m_btnOk = buttons.confirm;
    connect(m_btnOk, &QPushButton::clicked, this, &TFormNeu::btnOkClick);
    connect(buttons.cancel, &QPushButton::clicked, this, &TFormNeu::btnAbbruchClick);

    auto *nameRow = new QHBoxLayout;
    nameRow->addWidget(lblListenname);
    nameRow->addWidget(m_edtTabellenname, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblHinweis);
    layout->addLayout(nameRow);
    layout->addStretch(1);
    layout->addLayout(buttons.row);
    resize(330, 130);
}

void TFormNeu::btnAbbruchClick()
{
    reject();
}

void TFormNeu::btnOkClick()
{
    controls::guarded(m_dialogs, [&] {
        const QString name = m_edtTabellenname->text();
        if (const auto refusal = rules::checkNewListName(name, m_shell.dataPath())) {
            if (refusal->kind == rules::ListNameRefusal::Kind::Error)
                m_dialogs.error(refusal->text);
            else
                m_dialogs.information(refusal->text);
            if (refusal->rule == rules::ListNameRefusal::Rule::Number) {
                m_edtTabellenname->setFocus();
                m_edtTabellenname->setCursorPosition(0);
            }
            return;
        }
        ListeErstellen(name);
        accept();
        m_shell.SQLVorbereiten();
        m_shell.FuelleStatusBar(true);
        m_shell.setListMenus(true);
    });
}

void TFormNeu::ListeErstellen(const QString &name)
{
    m_dmod.qryDorvTabelle.close();
    const QString previousList = m_shell.currentListName();
    try {
        // The log query opens on the new table before the list is committed: a failure there
        // leaves no list behind either.
        data::loglist::createList(m_dmod.dbDorv, name, [&] {
            m_shell.setCurrentListName(name);
            m_dmod.qryDorvTabelle.setSql(data::loglist::logsSql(name));
            m_dmod.qryDorvTabelle.open();
        });
    } catch (...) {
        // Nothing of the new list is left: the log query stays closed and the list that was
        // current before stays current.
        m_dmod.qryDorvTabelle.close();
        m_shell.setCurrentListName(previousList);
        throw;
    }
}
