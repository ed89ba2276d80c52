#pragma once

#include <QDialog>

namespace controls { class DialogService; }
namespace data { class Shell; }
class TDMod;

// The about window: the program's name and version and the maker's web and mail address.
class TFormUeberDorv : public QDialog
{
    Q_OBJECT

public:
    static const QString Version;
    static const QString InternetAdresse;
    static const QString EMailAdresse;

    TFormUeberDorv(TDMod &dmod, data::Shell &shell, controls::DialogService &dialogs, QWidget *parent = nullptr);

    void lblInternetAdresseClick();
    void lblEMailAdresseClick();
    void btnSchliessenClick();

private:
    void FormCreate();

    TDMod &m_dmod;
    data::Shell &m_shell;
    controls::DialogService &m_dialogs;
};
