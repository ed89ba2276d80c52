#pragma once

#include <QLineEdit>

namespace controls {

// A numeric edit for amounts and percentages: it shows its value in a display format
// (",0.00;-,0.00") and, while it has the focus, the plain number for typing. It has no bounds;
// an empty text is 0. It reports leaving it (not a switch to another window) as `exited`.
class CurrencyEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit CurrencyEdit(QWidget *parent = nullptr);

    double value() const { return m_value; }
    void setValue(double value);
    QString displayFormat() const { return m_displayFormat; }
    void setDisplayFormat(const QString &format);

    // The number a typed text stands for: group separators ignored, empty or a lone sign is 0.
    static double parse(const QString &text);

signals:
    void valueChanged(double value);
    void exited();

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void showValue();
    void onTextEdited(const QString &text);

    double m_value = 0.0;
    QString m_displayFormat = QStringLiteral(",0.00;-,0.00");
};

} // namespace controls
