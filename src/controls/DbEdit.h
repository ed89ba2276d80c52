#pragma once

#include <QLineEdit>
#include <QPointer>

namespace data {
class Dataset;
}

namespace controls {

class DialogService;

// A line edit bound to one field of a dataset's current record. It shows the field's display
// text, or while it has the focus the text for editing (in the edit format when one is given).
// Typing puts the dataset into editing (or, on an empty dataset, into inserting) and writes
// the text into the field as typed; a text that does not convert to the field's type is
// reported when the edit is left, and the edit then shows the field's value again.
class DbEdit : public QLineEdit
{
    Q_OBJECT

public:
    DbEdit(DialogService &dialogs, QWidget *parent = nullptr);
    // An edit named `objectName` and bound to `field` of `dataset`.
    DbEdit(DialogService &dialogs, data::Dataset &dataset, const char *field, const char *objectName, QWidget *parent);

    void setDataField(data::Dataset &dataset, const QString &field);
    QString dataField() const { return m_field; }
    // A number pattern such as "##0.00" for showing the value while it is edited.
    void setEditFormat(const QString &format);

    // Writes a pending typed text into the field; false (after the message) when it does not
    // convert. Called on leaving the edit; a window may call it before it posts.
    bool commit();

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void showField();
    void onTextEdited(const QString &text);
    bool fieldAvailable() const;

    DialogService &m_dialogs;
    QPointer<data::Dataset> m_dataset;
    QString m_field;
    QString m_editFormat;
    bool m_writing = false;
    bool m_pending = false; // typed text that did not convert yet
};

} // namespace controls
