#pragma once

#include <QDialog>
#include <QString>

#include <vector>

namespace controls { class DialogService; }
class QLabel;
class QPushButton;
namespace data { class Shell; }
class TDMod;

namespace data {
class Dataset;
}
namespace evaluation {
class Summary;
}

// The summary window: counts and volumes of the current list per quality class and diameter
// class, their totals, the weighted length and the averages. It reads the evaluation queries
// and never writes. The figures are filled afresh each time the window is shown or becomes
// the active window again.
class TFormZusammenfasssung : public QDialog
{
    Q_OBJECT

public:
    TFormZusammenfasssung(TDMod &dmod, data::Shell &shell, controls::DialogService &dialogs, QWidget *parent = nullptr);

    // Fills every cell from the current list; errors are shown in the general error box.
    void FormActivate();
    void btnOKClick();

    // A cell or label by its name, found without regard to case ("StV5", "stmb1a"); nullptr
    // when there is none.
    QLabel *element(const QString &name) const;

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    // What a label of the window is for; the tag (1 count cell, 2 volume cell of the matrix,
    // 0 everything else) is kept as the label's property "tag".
    enum class Role { Caption, Pair, QualityTotal, DiameterTotal, ListTotal, Statistic };
    struct Element
    {
        QLabel *label;
        Role role;
        bool isCount; // counts ("stM...") as opposed to volumes and statistics
        QString quality;  // the class codes the cell sums over; empty where it sums over all
        QString diameter;
    };

    void buildLayout();
    QLabel *addLabel(const QString &name, const QString &text, Role role, bool isCount = false, const QString &quality = {},
                     const QString &diameter = {});
    QLabel *addCaption(const QString &text, bool bold = true, Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter);
    void fill();
    void showFigures(const evaluation::Summary &summary);
    void setStatistic(const QString &cell, const data::Dataset &query, const QString &field);
    QString zeroText(bool isCount) const;

    TDMod &m_dmod;
    data::Shell &m_shell;
    controls::DialogService &m_dialogs;
    QPushButton *btnOK = nullptr;
    std::vector<Element> m_elements; // in creation order
    bool m_filling = false;
    bool m_skipNextActivation = false;
};
