#include "ui/ppdef/field_rules.h"

#include <QDir>

#include "core/kinematics/kinematics.h"
#include "core/l10n/strings.h"
#include "ui/common/cp1252.h"
#include "ui/ppdef/editor_dialogs.h"
#include "ui/ppdef/field_view.h"

namespace ordalis::ui {

namespace {

constexpr int kRootRefused = 2001, kNotImplemented = 2117;

}  // namespace

void BrowseFolder(FieldView& folder, EditorDialogs& dialogs, const l10n::Strings& strings,
                  QWidget* parent) {
  const QString chosen = dialogs.chooseFolder(parent, folder.caption(), folder.text());
  // A drive root would send every APT or ISO file of the disk there.
  if (chosen.isEmpty() || QDir(chosen).isRoot()) {
    dialogs.inform(parent, FromCp1252(strings.get(kRootRefused)));
    return;
  }
  QString path = QDir::toNativeSeparators(QDir::cleanPath(chosen));
  if (!path.endsWith(QDir::separator())) path += QDir::separator();
  folder.setText(path);
}

void WarnUnsolvedKinematics(const FieldView& list, EditorDialogs& dialogs,
                            const l10n::Strings& strings, QWidget* parent) {
  const int type = list.index() + 1;
  // The three-axis machine needs no angles.
  if (type != 1 && !kinematics::HasAngleSolution(type)) {
    dialogs.inform(parent, FromCp1252(strings.get(kNotImplemented)));
  }
}

std::string_view ExcludedPartner(std::string_view key) {
  // The radius compensation goes at the start or at the end of the block, not both.
  if (key == "OPTION_CORRECTEUR_FIN_LIGNE") return "OPTION_CORRECTEUR_DEBUT_LIGNE";
  if (key == "OPTION_CORRECTEUR_DEBUT_LIGNE") return "OPTION_CORRECTEUR_FIN_LIGNE";
  return {};
}

}  // namespace ordalis::ui
