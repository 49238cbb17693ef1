#pragma once
// A workspace over memory panes in a program folder of its own (Ordalis.ini, Default.ppc and the
// shipped definitions), with a prompt that answers from a script and an observer that records.

#include <deque>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app_fixture.h"
#include "core/app/workspace.h"
#include "core/common/memory_text_pane.h"
#include "support/test_support.h"

namespace ordalis::app {

class ScriptedPrompt : public WorkspacePrompt {
 public:
  void inform(int id, std::string_view detail = {}) override {
    informed.push_back(common::LogRecord{id, std::string(detail), 0, false});
  }
  SaveChoice askToSave(Pane pane) override {
    asked.push_back(pane);
    const SaveChoice c = choices.empty() ? SaveChoice::kCancel : choices.front();
    if (!choices.empty()) choices.pop_front();
    return c;
  }
  std::string chooseOpenPath(const std::string&, const std::string&) override { return next(); }
  std::string chooseSavePath(const std::string& proposed, const std::string& filter) override {
    proposals.push_back(proposed);
    filters.push_back(filter);
    return next();
  }

  std::deque<std::string> paths;
  std::deque<SaveChoice> choices;
  std::vector<Pane> asked;
  std::vector<std::string> proposals, filters;
  std::vector<common::LogRecord> informed;

 private:
  std::string next() {
    std::string p = paths.empty() ? std::string() : paths.front();
    if (!paths.empty()) paths.pop_front();
    return p;
  }
};

class RecordingObserver : public WorkspaceObserver {
 public:
  void titleChanged(const std::string& t) override { title = t; }
  void recentFilesChanged(const std::vector<std::string>& paths) override { recent = paths; }
  void runStarted(Road) override { ++started; }
  void runProgress(const common::Progress& p, double) override { progress.push_back(p); }
  void runFinished(Road road, RunOutcome outcome) override { finished.push_back({road, outcome}); }
  void toolTreeChanged(const tools::ToolTree& tree) override { toolRoot = tree.rootText(); }
  void toolpathReady(const std::shared_ptr<const display::MoveList>& list) override {
    moves = list;
  }
  void closeRequested(int status) override { closeStatus = status; }

  std::string title, toolRoot;
  std::vector<std::string> recent;
  int started = 0;
  int closeStatus = -1;
  std::vector<common::Progress> progress;
  std::vector<std::pair<Road, RunOutcome>> finished;
  std::shared_ptr<const display::MoveList> moves;
};

struct WorkspaceFixture : AppFixture {
  WorkspaceFixture() {
    ctx.programFolder = dir.path() + "/";
    test::WriteFile(dir.file("Ordalis.ini"),
                    "[POSTPROCESSEUR]\r\nFichier=.\\Default.ppc\r\nNom=Default\r\n"
                    "[CONFIG]\r\nLangId=1033\r\nCloseAfterPP=0\r\n");
    test::WriteFile(dir.file("Default.ppc"), test::ReadFile(test::SourcePath("data/Default.ppc")));
    std::filesystem::create_directory(dir.file("ppc"));
    test::WriteFile(dir.file("ppc/fanuc_mill.ppc"),
                    test::ReadFile(test::SourcePath("data/ppc/fanuc_mill.ppc")));
    workspace.start();
  }
  std::string example(const std::string& name) {
    const std::string path = dir.file(name);
    test::WriteFile(path, test::ReadFile(test::SourcePath("data/examples/" + name)));
    return path;
  }

  test::TempDir dir;
  common::MemoryTextPane aptPane, isoPane;
  ScriptedPrompt dialogs;
  RecordingObserver events;
  Workspace workspace{ctx, aptPane, isoPane, dialogs, events};
};

}  // namespace ordalis::app
