#pragma once
// The desktop's dialogs answered as a test prepares, every question recorded.

#include <QString>
#include <vector>

#include "ui/common/dialogs.h"

namespace ordalis::ui::test {

class ScriptedDesktopDialogs : public Dialogs {
 public:
  void inform(QWidget*, const QString& text) override { messages.push_back(text); }
  SaveChoice askToSave(QWidget*, const QString& text) override {
    questions.push_back(text);
    return saveChoice;
  }
  QString chooseOpenPath(QWidget*, const QString& title, const QString& start,
                         const QString& filter) override {
    record(title, start, filter);
    return openPath;
  }
  QString chooseSavePath(QWidget*, const QString& title, const QString& start,
                         const QString& filter) override {
    record(title, start, filter);
    return savePath;
  }

  std::vector<QString> messages;
  std::vector<QString> questions;
  SaveChoice saveChoice = SaveChoice::kCancel;
  QString openPath, savePath;  // the answers; empty: the user cancels
  QString lastTitle, lastStart, lastFilter;
  int fileDialogs = 0;

 private:
  void record(const QString& title, const QString& start, const QString& filter) {
    ++fileDialogs;
    lastTitle = title;
    lastStart = start;
    lastFilter = filter;
  }
};

}  // namespace ordalis::ui::test
