#pragma once

#include "engine/Error.h"

#include <QString>

#include <functional>
#include <stdexcept>

namespace controls { class DialogService; }

namespace engine {
class Connection;
}

// Importing a list of version 2.0 into a new list: the checks before it and the import proper.
// Nothing here shows a window of its own; messages go through the dialog service.
namespace importing {

// The statements of the import, exactly as the program runs them: the search for a list of
// the name, the insert of one log.
QString dtqImportCheckSql();
QString dtqStaemmeSql(const QString &listName);

// A log of the list file that the database refused (a duplicate log number, a text too long
// for its column). The message names the file, the lines of the record and its values.
class ImportError : public engine::Error
{
public:
    using Error::Error;
};

// May the list file at `path` be imported as `listName`? No, silently, when the file does not
// exist. No, with a message, when the name breaks a rule of new list names (not only digits,
// not empty, a plain identifier, at most 18 characters), when a list header row holds the name
// in any case of its letters ("Diese Liste ist schon vorhanden!"), or when a table file of that
// name lies in the data folder. dataPath ends with a separator.
bool ImportPruefen(engine::Connection &db, controls::DialogService &dialogs, const QString &dataPath, const QString &path,
                   const QString &listName);

// Called while the list file is read: bytes read so far, size of the file.
using Progress = std::function<void(qint64 done, qint64 total)>;

// Creates the list `listName` from the list file at `path` and its side files: the list table,
// its header row (and the header table first when it is missing) and every log. All or
// nothing: any error leaves neither table file nor header row behind and propagates.
void ListeImportieren(engine::Connection &db, const QString &path, const QString &listName,
                      const Progress &progress = {});

} // namespace importing
