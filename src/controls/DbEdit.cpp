#include "controls/DbEdit.h"

#include "controls/ErrorGuard.h"
#include "data/ConversionError.h"
#include "data/Dataset.h"
#include "values/DisplayFormat.h"

#include <QFocusEvent>

namespace controls {

using data::Dataset;
using data::FieldType;

DbEdit::DbEdit(DialogService &dialogs, QWidget *parent) : QLineEdit(parent), m_dialogs(dialogs)
{
    connect(this, &QLineEdit::textEdited, this, &DbEdit::onTextEdited);
    setReadOnly(true);
}

DbEdit::DbEdit(DialogService &dialogs, Dataset &dataset, const char *field, const char *objectName, QWidget *parent)
    : DbEdit(dialogs, parent)
{
    setObjectName(QString::fromLatin1(objectName));
    setDataField(dataset, QString::fromLatin1(field));
}

void DbEdit::setDataField(Dataset &dataset, const QString &field)
{
    if (m_dataset)
        disconnect(m_dataset, nullptr, this, nullptr);
    m_dataset = &dataset;
    m_field = field;
    connect(m_dataset, &Dataset::reset, this, &DbEdit::showField);
    connect(m_dataset, &Dataset::currentChanged, this, &DbEdit::showField);
    connect(m_dataset, &Dataset::stateChanged, this, &DbEdit::showField);
    connect(m_dataset, &Dataset::rowChanged, this, [this](int row) {
        if (m_dataset && row == m_dataset->recNo())
            showField();
    });
    showField();
}

void DbEdit::setEditFormat(const QString &format)
{
    m_editFormat = format;
    showField();
}

bool DbEdit::fieldAvailable() const
{
    return m_dataset && m_dataset->isOpen() && m_dataset->hasField(m_field);
}

void DbEdit::showField()
{
    if (m_writing)
        return;
    m_pending = false;
    if (!fieldAvailable()) {
        setReadOnly(true);
        setMaxLength(32767);
        clear();
        return;
    }
    const data::Field &f = m_dataset->field(m_dataset->fieldIndex(m_field));
    setReadOnly(f.readOnly || f.calculated);
    if (f.type == FieldType::Text && f.size > 0)
        setMaxLength(f.size);
    if (m_dataset->isEmpty() && !m_dataset->isEditing()) {
        clear();
        return;
    }
    const QVariant v = m_dataset->value(m_field);
    if (hasFocus() && !v.isNull() && (f.type == FieldType::Float || f.type == FieldType::Integer))
        setText(m_editFormat.isEmpty() ? m_dataset->text(m_field) : values::display::formatFloat(m_editFormat, v.toDouble()));
    else
        setText(m_dataset->displayText(m_field));
}

void DbEdit::onTextEdited(const QString &text)
{
    if (!fieldAvailable())
        return;
    m_writing = true;
    try {
        if (!m_dataset->isEditing())
            m_dataset->edit(); // an empty dataset begins a new record
        m_dataset->setText(m_field, text);
        m_pending = false;
    } catch (const data::ConversionError &) {
        m_pending = true; // perhaps half typed: reported when the edit is left
    } catch (const std::exception &e) {
        m_writing = false;
        m_pending = false;
        m_dialogs.error(errorText(e));
        showField();
        return;
    }
    m_writing = false;
}

bool DbEdit::commit()
{
    if (!m_pending || !fieldAvailable())
        return true;
    const QString typed = text();
    const bool ok = guarded(m_dialogs, [&] {
        m_writing = true;
        try {
            m_dataset->setText(m_field, typed);
        } catch (...) {
            m_writing = false;
            throw;
        }
        m_writing = false;
    });
    m_pending = false;
    if (!ok)
        showField();
    return ok;
}

void DbEdit::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    if (!m_pending)
        showField();
}

void DbEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
        return;
    if (commit())
        showField();
}

} // namespace controls
