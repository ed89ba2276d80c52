#pragma once

#include <QString>
#include <QStringList>

// The official validators beside the repository (../shared/validators), present on the CI and
// on developer machines that have them.
namespace sharedvalidator {

// The full path of a validator script of that folder.
QString path(const QString &script);

// Runs a validator with the arguments; empty when it accepts the file with no error, else its
// report (or why it gave none).
QString rejection(const QString &program, const QStringList &arguments);

} // namespace sharedvalidator
