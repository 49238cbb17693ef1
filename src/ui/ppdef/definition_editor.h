#pragma once
// The definition editor: a modeless dialog that edits a copy of a post-processor definition on
// eleven tabs built from the editor layout. Nothing reaches the file or the caller's definition
// before OK (or "Save as..."): a run started meanwhile uses the definition as it was. After a save
// the caller takes definition() and the path from the signal.

#include <QDialog>
#include <QString>
#include <memory>
#include <string_view>
#include <vector>

#include "core/ppdef/definition_file.h"

class QLineEdit;
class QPushButton;
class QTabWidget;

namespace ordalis::common {
class MessageLog;
}
namespace ordalis::l10n {
class Strings;
}

namespace ordalis::ui {

class CodeEditWindow;
class ColourTree;
class EditorDialogs;
class EditorPage;
class FieldView;
class MachinePicture;

class DefinitionEditor : public QDialog {
  Q_OBJECT

 public:
  /// Edits a copy of `definition`, the contents of the file `path`. When that file does not exist
  /// the fields start empty (with the colours of `definition`) and OK writes a complete file.
  DefinitionEditor(const ppdef::PostProcessorDefinition& definition, const QString& path,
                   const l10n::Strings& strings, common::MessageLog& log, EditorDialogs& dialogs,
                   QWidget* parent = nullptr);
  ~DefinitionEditor() override;

  /// The edited definition: as given until a save, then as saved.
  const ppdef::PostProcessorDefinition& definition() const { return definition_; }
  QString path() const { return path_; }
  /// True when a field or a colour differs from the definition as loaded or last saved.
  bool isChanged() const;

  FieldView* field(std::string_view key) const;
  ColourTree* colourTree() const { return colours_; }
  MachinePicture* machinePicture() const { return picture_; }
  QTabWidget* tabs() const { return tabs_; }
  QLineEdit* filterBox() const { return filter_; }

  /// Opens the code edit window on a code field (modeless; it writes back when it closes).
  CodeEditWindow* openCodeWindow(FieldView* field);
  /// Puts text from the code edit window into the code field with that edit number.
  void setCodeField(int fieldIndex, const QString& text);

 public slots:
  /// OK: checks every number, writes the file, closes.
  void accept() override;
  /// Closing the window: asks first when something changed.
  void reject() override;
  /// Cancel: closes and drops every change.
  void discard();
  /// "Save as...": writes the edited definition to a new file, which this editor then edits.
  bool saveAs();

 signals:
  /// The definition was written to `path` (OK or "Save as...").
  void definitionSaved(const QString& path);
  /// "Save as..." wrote a new file: the program's definition should now be that file.
  void savedAs(const QString& path);

 private:
  void buildPages();
  QWidget* buildButtons();
  void fill(const ppdef::PostProcessorDefinition& shown);
  ppdef::DefinitionFields readFields() const;
  bool checkNumbers(const ppdef::DefinitionFields& fields);
  bool writeTo(const QString& path, const ppdef::DefinitionFields& fields);
  void showInvalid(FieldView* field);
  void onEdited(FieldView* field);
  void onChosen(FieldView* field);
  void browse(FieldView* field);
  void applyFilter(const QString& filter);
  void updateMarks();
  void updateKinematics();
  void closeCodeWindows();
  void updateCaption();

  ppdef::PostProcessorDefinition definition_;
  QString path_;
  const l10n::Strings& strings_;
  common::MessageLog& log_;
  EditorDialogs& dialogs_;
  ppdef::DefinitionFields loaded_;
  QTabWidget* tabs_ = nullptr;
  QLineEdit* filter_ = nullptr;
  ColourTree* colours_ = nullptr;
  MachinePicture* picture_ = nullptr;
  std::vector<std::unique_ptr<EditorPage>> pages_;
  std::vector<FieldView*> fields_;
  std::vector<CodeEditWindow*> codeWindows_;
  bool closing_ = false;
};

}  // namespace ordalis::ui
