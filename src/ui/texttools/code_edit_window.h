#pragma once
// The code edit window: one code template of the definition editor in a larger box, coloured as
// the user types, with the names the engine knows offered after "&(" and a preview of the blocks
// the template writes. Closing it hands the text back to the field it came from.

#include <QString>
#include <QWidget>
#include <string>

#include "core/ppdef/definition.h"

class QPlainTextEdit;

namespace ordalis::l10n {
class Strings;
}

namespace ordalis::ui {

class CodeTextEdit;

class CodeEditWindow : public QWidget {
  Q_OBJECT

 public:
  /// Edits `text`, the template of `key`; `fieldIndex` is the field's edit number, given back on
  /// closing. The preview numbers and formats with `definition`.
  CodeEditWindow(const QString& text, int fieldIndex, std::string_view key,
                 const ppdef::PostProcessorDefinition& definition, const l10n::Strings& strings,
                 QWidget* parent = nullptr);

  int fieldIndex() const { return fieldIndex_; }
  CodeTextEdit* editor() const { return editor_; }
  QPlainTextEdit* preview() const { return preview_; }

 signals:
  /// Closing: the edited text for the field of edit number `fieldIndex`.
  void textReturned(int fieldIndex, const QString& text);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void updatePreview();

  int fieldIndex_;
  std::string key_;
  ppdef::PostProcessorDefinition definition_;
  CodeTextEdit* editor_;
  QPlainTextEdit* preview_;
  bool returned_ = false;
};

}  // namespace ordalis::ui
