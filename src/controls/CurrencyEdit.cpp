#include "controls/CurrencyEdit.h"

#include "values/DisplayFormat.h"

#include <QFocusEvent>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

namespace controls {

CurrencyEdit::CurrencyEdit(QWidget *parent) : QLineEdit(parent)
{
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    const values::display::Separators sep = values::display::localeSeparators();
    // A sign, digits with optional group separators, one decimal separator and more digits.
    const QString pattern = QStringLiteral("-?[0-9%1]*(%2[0-9]*)?")
                                .arg(QRegularExpression::escape(QString(sep.group)), QRegularExpression::escape(QString(sep.decimal)));
    setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), this));
    connect(this, &QLineEdit::textEdited, this, &CurrencyEdit::onTextEdited);
    showValue();
}

double CurrencyEdit::parse(const QString &text)
{
    const values::display::Separators sep = values::display::localeSeparators();
    QString plain = text.trimmed();
    plain.remove(sep.group);
    plain.replace(sep.decimal, u'.');
    bool ok = false;
    const double v = plain.toDouble(&ok);
    return ok ? v : 0.0;
}

void CurrencyEdit::setValue(double value)
{
    const bool changed = value != m_value;
    m_value = value;
    showValue();
    if (changed)
        emit valueChanged(m_value);
}

void CurrencyEdit::setDisplayFormat(const QString &format)
{
    m_displayFormat = format;
    showValue();
}

void CurrencyEdit::showValue()
{
    if (hasFocus())
        setText(values::display::formatGeneral(m_value));
    else
        setText(values::display::formatFloat(m_displayFormat, m_value));
}

void CurrencyEdit::onTextEdited(const QString &text)
{
    const double v = parse(text);
    if (v == m_value)
        return;
    m_value = v;
    emit valueChanged(m_value);
}

void CurrencyEdit::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason) {
        showValue();
        selectAll();
    }
}

void CurrencyEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
        return;
    showValue();
    emit exited();
}

} // namespace controls
