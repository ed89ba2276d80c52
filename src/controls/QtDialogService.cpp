#include "controls/QtDialogService.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QRegularExpression>
#include <QStringList>
#include <QUrl>

namespace controls {

namespace {

QWidget *owner()
{
    if (QWidget *w = QApplication::activeModalWidget())
        return w;
    return QApplication::activeWindow();
}

} // namespace

void QtDialogService::information(const QString &text)
{
    QMessageBox::information(owner(), QApplication::applicationName(), text);
}

void QtDialogService::error(const QString &text)
{
    QMessageBox::critical(owner(), QApplication::applicationName(), text);
}

bool QtDialogService::confirm(const QString &text)
{
    return QMessageBox::question(owner(), QApplication::applicationName(), text, QMessageBox::Yes | QMessageBox::No)
           == QMessageBox::Yes;
}

QString QtDialogService::openFile(const QString &title, const QString &filter, const QString &folder)
{
    QFileDialog dialog(owner(), title, folder, qtNameFilter(filter));
    dialog.setFileMode(QFileDialog::AnyFile); // a typed name that does not exist is accepted
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().front();
}

DialogService::SaveChoice QtDialogService::saveFile(const QString &title, const QString &filter, int chosenFilter,
                                                    const QString &proposedPath)
{
    // The patterns as given: a file written here gets the extension the user sees.
    const QStringList filters = qtNameFilter(filter, false).split(QStringLiteral(";;"));
    QFileDialog dialog(owner(), title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(filters);
    const auto suffixOf = [](const QString &nameFilter) {
        static const QRegularExpression suffix(QStringLiteral("\\*\\.(\\w+)"));
        return suffix.match(nameFilter).captured(1);
    };
    QStringList suffixes;
    for (const QString &f : filters)
        suffixes << suffixOf(f);
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString &nameFilter) {
        const QString suffix = suffixOf(nameFilter);
        dialog.setDefaultSuffix(suffix);
        const QStringList typed = dialog.selectedFiles();
        const QFileInfo name(typed.isEmpty() ? QString() : typed.front());
        if (!suffix.isEmpty() && !name.fileName().isEmpty() && suffixes.contains(name.suffix(), Qt::CaseInsensitive))
            dialog.selectFile(name.completeBaseName() + u'.' + suffix);
    });
    if (chosenFilter >= 0 && chosenFilter < filters.size()) {
        dialog.selectNameFilter(filters[chosenFilter]);
        dialog.setDefaultSuffix(suffixOf(filters[chosenFilter]));
    }
    dialog.selectFile(proposedPath);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return {dialog.selectedFiles().front(), int(filters.indexOf(dialog.selectedNameFilter()))};
}

void QtDialogService::beep()
{
    QApplication::beep();
}

void QtDialogService::openUrl(const QString &url)
{
    QDesktopServices::openUrl(QUrl(url));
}

QString qtNameFilter(const QString &pipeSeparated, bool caseVariants)
{
    const QStringList parts = pipeSeparated.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString pattern = parts[i + 1];
        pattern.replace(QStringLiteral("*.*"), QStringLiteral("*"));
        pattern.replace(u';', u' ');
        // File names here distinguish case; lists written elsewhere often end in ".DVZ".
        QStringList patterns = pattern.split(u' ', Qt::SkipEmptyParts);
        for (const QString &p : pattern.split(u' ', Qt::SkipEmptyParts)) {
            for (const QString &variant : {p.toLower(), p.toUpper()})
                if (caseVariants && !patterns.contains(variant))
                    patterns << variant;
        }
        filters << QStringLiteral("%1 (%2)").arg(parts[i], patterns.join(u' '));
    }
    return filters.join(QStringLiteral(";;"));
}

} // namespace controls
