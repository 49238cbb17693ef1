#include "ui/ppdef/definition_editor.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/common/message_log.h"
#include "core/common/profile_file.h"
#include "core/common/text.h"
#include "core/l10n/strings.h"
#include "core/ppdef/definition_keys.h"
#include "core/ppdef/editor_layout.h"
#include "ui/common/cp1252.h"
#include "ui/ppdef/colour_tree.h"
#include "ui/ppdef/editor_dialogs.h"
#include "ui/ppdef/editor_page.h"
#include "ui/ppdef/field_rules.h"
#include "ui/ppdef/field_view.h"
#include "ui/ppdef/machine_picture.h"
#include "ui/texttools/code_edit_window.h"

namespace ordalis::ui {

namespace {

using D = ppdef::PostProcessorDefinition;

constexpr int kOk = 601, kCancel = 602;
constexpr int kInvalidNumber = 5561, kSaveAs = 5562, kFilterHint = 5563, kAskToSave = 5564;
constexpr int kWriteFailed = 5571, kPpcFilter = 512;
constexpr int kKinematicsNames = 6000;
// The window caption is not a catalogue text.
constexpr const char* kCaption = "Definition postprocesseur :";
// The code window's unknown field index is a fixed technical message.
constexpr const char* kUnknownIndex = "Erreur Gestion indice fenetre :";

// Only the text boxes and lists are styled: a styled check box loses its box on some styles.
constexpr const char* kStyle =
    "QLineEdit[changed=\"true\"], QPlainTextEdit[changed=\"true\"], "
    "QComboBox[changed=\"true\"] { background-color: #fff4c2; }"
    "QLineEdit[invalid=\"true\"], QPlainTextEdit[invalid=\"true\"] "
    "{ background-color: #ffd6d6; border: 2px solid #c00000; }";

std::string FilePath(const QString& path) { return QFile::encodeName(path).toStdString(); }

int Enumeration(const D& def, std::string_view key) {
  const ppdef::DefinitionKey* k = ppdef::FindDefinitionKey(key);
  return k == nullptr ? 0 : def.*std::get<std::int16_t D::*>(k->member);
}

}  // namespace

DefinitionEditor::DefinitionEditor(const ppdef::PostProcessorDefinition& definition,
                                   const QString& path, const l10n::Strings& strings,
                                   common::MessageLog& log, EditorDialogs& dialogs, QWidget* parent)
    : QDialog(parent),
      definition_(definition),
      path_(path),
      strings_(strings),
      log_(log),
      dialogs_(dialogs) {
  setModal(false);
  setStyleSheet(kStyle);
  auto* layout = new QVBoxLayout(this);
  filter_ = new QLineEdit(this);
  filter_->setPlaceholderText(FromCp1252(strings_.get(kFilterHint)));
  filter_->setClearButtonEnabled(true);
  filter_->setMaximumWidth(360);
  connect(filter_, &QLineEdit::textChanged, this, &DefinitionEditor::applyFilter);
  layout->addWidget(filter_);
  tabs_ = new QTabWidget(this);
  layout->addWidget(tabs_, 1);
  buildPages();
  layout->addWidget(buildButtons());

  // Without the file there is nothing to show but the colours the program runs with.
  if (common::FileExists(FilePath(path_))) {
    fill(definition_);
  } else {
    // What OK writes is what the fields show, lists without a choice included.
    D empty;
    empty.colours = definition_.colours;
    definition_ = empty;
    fill(definition_);
  }
  updateCaption();
  resize(1060, 740);
}

DefinitionEditor::~DefinitionEditor() = default;

void DefinitionEditor::buildPages() {
  const auto tabs = ppdef::EditorTabs();
  for (int tab = 1; tab <= ppdef::kEditorTabCount; ++tab) {
    const QString caption = FromCp1252(strings_.get(tabs[tab - 1].captionId));
    if (tab == ppdef::kColourTab) {
      colours_ = new ColourTree(strings_, dialogs_);
      connect(colours_, &ColourTree::coloursChanged, this, &DefinitionEditor::updateMarks);
      tabs_->addTab(FramedColourTree(colours_, FromCp1252(strings_.get(tabs[tab - 1].frameId))),
                    caption);
      continue;
    }
    if (tab == ppdef::kMultiAxisTab) picture_ = new MachinePicture;
    auto page = std::make_unique<EditorPage>(
        tab, strings_, tab == ppdef::kMultiAxisTab ? picture_ : nullptr, tabs_);
    for (FieldView* view : page->fields()) {
      fields_.push_back(view);
      connect(view, &FieldView::edited, this, &DefinitionEditor::onEdited);
      connect(view, &FieldView::chosenByUser, this, &DefinitionEditor::onChosen);
      connect(view, &FieldView::codeRequested, this, &DefinitionEditor::openCodeWindow);
      connect(view, &FieldView::browseRequested, this, &DefinitionEditor::browse);
    }
    tabs_->addTab(page->widget(), caption);
    pages_.push_back(std::move(page));
  }
}

QWidget* DefinitionEditor::buildButtons() {
  auto* row = new QWidget(this);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  const auto button = [&](int id, const char* name) {
    auto* b = new QPushButton(FromCp1252(strings_.get(id)), row);
    b->setObjectName(name);
    // Enter in a field must never close the editor.
    b->setAutoDefault(false);
    b->setMinimumWidth(96);
    return b;
  };
  QPushButton* saveAs = button(kSaveAs, "saveAs");
  QPushButton* ok = button(kOk, "ok");
  QPushButton* cancel = button(kCancel, "cancel");
  connect(saveAs, &QPushButton::clicked, this, &DefinitionEditor::saveAs);
  connect(ok, &QPushButton::clicked, this, &DefinitionEditor::accept);
  connect(cancel, &QPushButton::clicked, this, &DefinitionEditor::discard);
  layout->addWidget(saveAs);
  layout->addStretch(1);
  layout->addWidget(ok);
  layout->addWidget(cancel);
  return row;
}

void DefinitionEditor::fill(const ppdef::PostProcessorDefinition& shown) {
  loaded_ = ppdef::FieldsFromDefinition(shown);
  for (FieldView* view : fields_) {
    const std::string key(view->key());
    switch (view->field().kind) {
      case ppdef::FieldKind::kFlag:
        view->setChecked(loaded_.checked[key]);
        break;
      case ppdef::FieldKind::kList:
        view->setIndex(Enumeration(shown, key) - 1);
        break;
      default:
        view->setText(FromCp1252(common::ReplaceAll(loaded_.text[key], "\r\n", "\n")));
        break;
    }
    view->setBaseline();
  }
  colours_->fill(shown.colours);
  updateKinematics();
  updateMarks();
}

FieldView* DefinitionEditor::field(std::string_view key) const {
  for (FieldView* view : fields_) {
    if (view->key() == key) return view;
  }
  return nullptr;
}

bool DefinitionEditor::isChanged() const {
  for (const FieldView* view : fields_) {
    if (view->isChanged()) return true;
  }
  return colours_->isChanged();
}

ppdef::DefinitionFields DefinitionEditor::readFields() const {
  ppdef::DefinitionFields fields = loaded_;
  for (const FieldView* view : fields_) {
    const std::string key(view->key());
    switch (view->field().kind) {
      case ppdef::FieldKind::kFlag:
        fields.checked[key] = view->isChecked();
        break;
      case ppdef::FieldKind::kList:
        // An entry nobody chose keeps its text as the file has it, in whatever language.
        if (view->isChanged()) fields.text["TXT_" + key] = ToCp1252(view->shownText());
        break;
      default:
        fields.text[key] = ToCp1252(view->text());
        break;
    }
  }
  fields.colours = colours_->colours();
  return fields;
}

bool DefinitionEditor::checkNumbers(const ppdef::DefinitionFields& fields) {
  const ppdef::EditorField* bad = ppdef::FirstInvalidNumberField(fields);
  if (bad == nullptr) return true;
  showInvalid(field(bad->key));
  return false;
}

void DefinitionEditor::showInvalid(FieldView* view) {
  if (view == nullptr) return;
  if (!view->matches(filter_->text())) filter_->clear();
  // Even a field the machine type hides (the head angle) must be seen to be mended.
  for (const auto& page : pages_) {
    if (page->tab() == view->field().tab) page->setFieldHidden(view, false);
  }
  tabs_->setCurrentIndex(view->field().tab - 1);
  view->setInvalid(true);
  view->input()->setFocus();
  dialogs_.inform(this, FromCp1252(strings_.get(kInvalidNumber)) + ' ' + view->caption() + " [" +
                            FromCp1252(view->key()) + "]");
  view->input()->setFocus();
}

bool DefinitionEditor::writeTo(const QString& path, const ppdef::DefinitionFields& fields) {
  const ppdef::SaveResult result =
      ppdef::SaveDefinition(FilePath(path), fields, definition_, strings_);
  if (result.status == ppdef::SaveResult::Status::kInvalidField) {
    showInvalid(field(result.field));
    return false;
  }
  if (!result.ok()) {
    dialogs_.inform(this,
                    FromCp1252(strings_.get(kWriteFailed)) + '\n' + QDir::toNativeSeparators(path));
    return false;
  }
  loaded_ = ppdef::FieldsFromDefinition(definition_);
  for (FieldView* view : fields_) view->setBaseline();
  colours_->setBaseline();
  updateMarks();
  return true;
}

void DefinitionEditor::accept() {
  closeCodeWindows();
  const ppdef::DefinitionFields fields = readFields();
  if (!checkNumbers(fields) || !writeTo(path_, fields)) return;
  closing_ = true;
  emit definitionSaved(path_);
  QDialog::accept();
}

void DefinitionEditor::reject() {
  // What the code windows hold counts as typed too.
  closeCodeWindows();
  if (!closing_ && isChanged()) {
    switch (dialogs_.askToSave(this, FromCp1252(strings_.get(kAskToSave)))) {
      case EditorDialogs::CloseChoice::kSave:
        accept();
        return;
      case EditorDialogs::CloseChoice::kCancel:
        return;
      case EditorDialogs::CloseChoice::kDiscard:
        break;
    }
  }
  closing_ = true;
  QDialog::reject();
}

void DefinitionEditor::discard() {
  closing_ = true;
  closeCodeWindows();
  QDialog::reject();
}

bool DefinitionEditor::saveAs() {
  closeCodeWindows();
  const ppdef::DefinitionFields fields = readFields();
  if (!checkNumbers(fields)) return false;
  QString target = dialogs_.chooseSavePath(this, FromCp1252(strings_.get(kSaveAs)),
                                           QFileInfo(path_).absolutePath(),
                                           QtFileFilter(FromCp1252(strings_.get(kPpcFilter))));
  if (target.isEmpty()) return false;
  if (QFileInfo(target).suffix().isEmpty()) target += ".ppc";
  // The new file starts as a copy, so the keys, sections and notes this program does not know
  // go with it.
  QFile original(path_);
  if (QFileInfo(target) != QFileInfo(path_) && original.open(QIODevice::ReadOnly)) {
    const QByteArray bytes = original.readAll();
    if (!common::WriteFileAtomically(FilePath(target),
                                     std::string_view(bytes.data(), bytes.size()))) {
      dialogs_.inform(
          this, FromCp1252(strings_.get(kWriteFailed)) + '\n' + QDir::toNativeSeparators(target));
      return false;
    }
  }
  if (!writeTo(target, fields)) return false;
  path_ = target;
  updateCaption();
  emit definitionSaved(path_);
  emit savedAs(path_);
  return true;
}

void DefinitionEditor::onEdited(FieldView* view) {
  if (view->key() == ppdef::kKinematicsKey) updateKinematics();
  updateMarks();
}

void DefinitionEditor::onChosen(FieldView* view) {
  if (view->key() == ppdef::kKinematicsKey) {
    WarnUnsolvedKinematics(*view, dialogs_, strings_, this);
    return;
  }
  const std::string_view other = ExcludedPartner(view->key());
  FieldView* partner = other.empty() ? nullptr : field(other);
  if (partner != nullptr && view->isChecked()) partner->setChecked(false);
}

void DefinitionEditor::browse(FieldView* view) { BrowseFolder(*view, dialogs_, strings_, this); }

void DefinitionEditor::updateKinematics() {
  FieldView* list = field(ppdef::kKinematicsKey);
  const int type = list->index() + 1;
  picture_->setKinematics(type, FromCp1252(strings_.get(kKinematicsNames + type)));
  for (const auto& page : pages_) {
    if (page->tab() == ppdef::kMultiAxisTab) {
      page->setFieldHidden(field("PP_HEAD_ANGLE"), !ppdef::HasHeadAngle(type));
    }
  }
}

void DefinitionEditor::applyFilter(const QString& filter) {
  int first = -1;
  for (int i = 0; i < tabs_->count(); ++i) {
    int shown = 0;
    if (i == ppdef::kColourTab - 1) {
      shown = colours_->applyFilter(filter);
    } else {
      for (const auto& page : pages_) {
        if (page->widget() == tabs_->widget(i)) shown = page->applyFilter(filter);
      }
    }
    tabs_->setTabEnabled(i, shown > 0);
    if (shown > 0 && first < 0) first = i;
  }
  if (!tabs_->isTabEnabled(tabs_->currentIndex()) && first >= 0) tabs_->setCurrentIndex(first);
}

void DefinitionEditor::updateMarks() {
  const auto tabs = ppdef::EditorTabs();
  for (int i = 0; i < tabs_->count(); ++i) {
    bool changed = i == ppdef::kColourTab - 1 && colours_->isChanged();
    for (const FieldView* view : fields_) {
      changed = changed || (view->field().tab == i + 1 && view->isChanged());
    }
    const QString caption = FromCp1252(strings_.get(tabs[i].captionId));
    tabs_->setTabText(i, changed ? caption + " *" : caption);
  }
}

CodeEditWindow* DefinitionEditor::openCodeWindow(FieldView* view) {
  auto* window = new CodeEditWindow(view->text(), view->field().editNumber, view->key(),
                                    definition_, strings_, this);
  window->setAttribute(Qt::WA_DeleteOnClose);
  connect(window, &CodeEditWindow::textReturned, this, &DefinitionEditor::setCodeField);
  connect(window, &QObject::destroyed, this, [this, window] { std::erase(codeWindows_, window); });
  codeWindows_.push_back(window);
  window->show();
  return window;
}

void DefinitionEditor::setCodeField(int fieldIndex, const QString& text) {
  const ppdef::EditorField* target = ppdef::FindCodeField(fieldIndex);
  FieldView* view = target != nullptr ? field(target->key) : nullptr;
  if (view == nullptr) {
    log_.logText(std::string(kUnknownIndex) + std::to_string(fieldIndex));
    return;
  }
  if (view->text() != text) view->setText(text);
}

void DefinitionEditor::closeCodeWindows() {
  const std::vector<CodeEditWindow*> open = codeWindows_;
  for (CodeEditWindow* window : open) window->close();
}

void DefinitionEditor::updateCaption() {
  setWindowTitle(QString(kCaption) + QDir::toNativeSeparators(path_));
}

}  // namespace ordalis::ui
