// ScriptedDialogs: answers the window's dialogs from a script and records
// what the window showed, so that tests drive the window without a human.
#pragma once

#include "app/gui/user_dialogs.h"

#include <QDialog>

#include <deque>
#include <functional>
#include <vector>

namespace quillex::testing {

class ScriptedDialogs : public UserDialogs {
  public:
    // Answers, used in order; an empty queue gives Cancel (no files, no
    // directory) or Yes (questions).
    std::deque<QStringList> fileChoices;
    std::deque<QString> directoryChoices;
    QString saveChoice;
    std::deque<Answer> answers;
    // Answers to overwrite questions; when none is left, the question is
    // answered from `answers` like any other.
    std::deque<OverwriteAnswer> overwriteAnswers;
    // Runs while a question is open, before it is answered (the user
    // reading it).
    std::function<void()> whileAsking;
    // Handles a dialog of the window (fills it in, presses OK); without one
    // the dialog is cancelled.
    std::function<void(QDialog&)> onDialog;

    // What was shown.
    struct Told {
        QString text;
        Icon icon;
    };
    std::vector<Told> told;
    std::vector<QString> questions;
    std::vector<QString> pickerTitles;
    std::vector<QString> pickerStarts;
    std::vector<QString> openFileStarts;
    std::vector<QString> saveDefaults;
    std::vector<QString> overwriteQuestions;

    QStringList openFiles(QWidget*, const QString&, const QString&,
                          const QString& directory) override {
        openFileStarts.push_back(directory);
        return take(fileChoices);
    }
    QString existingDirectory(QWidget*, const QString& title, const QString& directory) override {
        pickerTitles.push_back(title);
        pickerStarts.push_back(directory);
        return take(directoryChoices);
    }
    QString saveFile(QWidget*, const QString&, const QString&, const QString& defaultName,
                     const QString&) override {
        saveDefaults.push_back(defaultName);
        return saveChoice;
    }
    Answer ask(QWidget*, const QString& text, bool) override {
        questions.push_back(text);
        if (whileAsking)
            whileAsking();
        return answers.empty() ? Answer::Yes : take(answers);
    }
    OverwriteAnswer askOverwrite(QWidget* parent, const QString& text, bool withCancel) override {
        overwriteQuestions.push_back(text);
        if (overwriteAnswers.empty())
            return UserDialogs::askOverwrite(parent, text, withCancel);
        return take(overwriteAnswers);
    }
    void tell(QWidget*, const QString& text, Icon icon) override { told.push_back({text, icon}); }
    bool run(QDialog& dialog) override {
        if (onDialog)
            onDialog(dialog);
        return dialog.result() == QDialog::Accepted;
    }

  private:
    template <typename T> static T take(std::deque<T>& queue) {
        if (queue.empty())
            return T{};
        T front = std::move(queue.front());
        queue.pop_front();
        return front;
    }
};

} // namespace quillex::testing
