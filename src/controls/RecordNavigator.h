#pragma once

#include <QPointer>
#include <QWidget>

#include <array>

class QToolButton;
namespace data {
class Dataset;
}

namespace controls {

class DialogService;

// The button bar that moves through a dataset and edits it: first, prior, next, last, insert,
// delete, edit, post, cancel. Deleting asks "Delete record?" first. The buttons follow the
// dataset's state; every action's error goes to the general error box.
class RecordNavigator : public QWidget
{
    Q_OBJECT

public:
    enum Button { First, Prior, Next, Last, Insert, Delete, Edit, Post, Cancel };
    static constexpr int buttonCount = Cancel + 1;

    RecordNavigator(DialogService &dialogs, QWidget *parent = nullptr);

    void setDataset(data::Dataset &dataset);
    QToolButton *button(Button which) const { return m_buttons[which]; }
    // What a click on the button does.
    void click(Button which);

private:
    void act(Button which);
    void updateButtons();

    DialogService &m_dialogs;
    QPointer<data::Dataset> m_dataset;
    std::array<QToolButton *, buttonCount> m_buttons{};
};

} // namespace controls
