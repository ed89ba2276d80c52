#pragma once

#include "controls/DialogService.h"

#include <QStringList>

#include <deque>
#include <vector>

namespace controls {

// The dialog service of tests: it records every message (kind and exact text) and answers
// questions and file dialogs as the test has scripted them.
class ScriptedDialogService : public DialogService
{
public:
    enum class Kind { Information, Error, Confirmation };
    struct Message
    {
        Kind kind;
        QString text;
    };

    void information(const QString &text) override { messages.push_back({Kind::Information, text}); }
    void error(const QString &text) override { messages.push_back({Kind::Error, text}); }
    bool confirm(const QString &text) override
    {
        messages.push_back({Kind::Confirmation, text});
        if (answers.empty())
            return defaultAnswer;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    QString openFile(const QString &title, const QString &filter, const QString &folder) override
    {
        fileDialogs.push_back({title, filter, folder, 0});
        if (files.empty())
            return {};
        const QString file = files.front();
        files.pop_front();
        return file;
    }
    SaveChoice saveFile(const QString &title, const QString &filter, int chosenFilter, const QString &proposedPath) override
    {
        const QString path = openFile(title, filter, proposedPath);
        fileDialogs.back().chosenFilter = chosenFilter;
        int chosen = chosenFilter;
        if (!saveFilters.empty()) {
            chosen = saveFilters.front();
            saveFilters.pop_front();
        }
        return {path, chosen};
    }
    void beep() override { ++beeps; }
    void openUrl(const QString &url) override { urls << url; }

    QStringList texts() const
    {
        QStringList out;
        for (const Message &m : messages)
            out << m.text;
        return out;
    }
    QStringList textsOf(Kind kind) const
    {
        QStringList out;
        for (const Message &m : messages)
            if (m.kind == kind)
                out << m.text;
        return out;
    }
    void clear()
    {
        messages.clear();
        beeps = 0;
    }

    std::vector<Message> messages;
    std::deque<bool> answers;   // answers to confirmations, in order
    bool defaultAnswer = false; // when no scripted answer is left
    std::deque<QString> files;  // answers to file dialogs (open and save), in order
    std::deque<int> saveFilters; // the filter chosen in each save dialog; the one offered when none is left
    struct FileDialog
    {
        QString title, filter, folder;
        int chosenFilter = 0; // file-save dialogs: the filter chosen at the start
    };
    std::vector<FileDialog> fileDialogs;
    int beeps = 0;
    QStringList urls;
};

} // namespace controls
