#pragma once

#include "controls/DbEdit.h"

#include <vector>

namespace controls {

// The edits of a form window, each bound to a field of the window's one dataset.
class BoundEdits
{
public:
    BoundEdits(DialogService &dialogs, data::Dataset &dataset, QWidget *window)
        : m_dialogs(dialogs), m_dataset(dataset), m_window(window)
    {
    }

    // A new edit of the window, bound to the field.
    DbEdit *add(const char *objectName, const char *field)
    {
        auto *edit = new DbEdit(m_dialogs, m_dataset, field, objectName, m_window);
        m_edits.push_back(edit);
        return edit;
    }

    // Hands every edit's text to the dataset, as leaving it would; false at the first one the
    // dataset refuses (which has said why and holds the focus).
    bool commitAll() const
    {
        for (DbEdit *edit : m_edits)
            if (!edit->commit())
                return false;
        return true;
    }

private:
    DialogService &m_dialogs;
    data::Dataset &m_dataset;
    QWidget *m_window;
    std::vector<DbEdit *> m_edits; // owned by the window
};

} // namespace controls
