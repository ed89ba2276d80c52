#pragma once

#include <QString>
#include <QTemporaryDir>

// A fresh temporary data folder holding the delivered tables, for every test that touches
// data. It disappears with the object.
class DataFolder
{
public:
    DataFolder();
    QString path() const { return m_dir.path() + u'/'; } // with the trailing separator
    QString file(const QString &name) const { return path() + name; }

private:
    QTemporaryDir m_dir;
};
