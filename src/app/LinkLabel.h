#pragma once

#include <QLabel>

namespace app {

// A label that acts as a link: navy, underlined, a hand cursor, and a click signal.
class LinkLabel : public QLabel
{
    Q_OBJECT

public:
    explicit LinkLabel(const QString &text, QWidget *parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};

} // namespace app
