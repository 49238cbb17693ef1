#include "ui/ppdef/colour_tree.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QPainter>
#include <QPixmap>
#include <QVBoxLayout>

#include "core/l10n/strings.h"
#include "ui/common/cp1252.h"
#include "ui/ppdef/editor_dialogs.h"

namespace ordalis::ui {

namespace {

constexpr int kPrefixId = 610;  // "COULEUR_" / "COLOR_"
constexpr int kRedReserved = 2107, kChooseAnother = 2108;
constexpr int kValueRole = Qt::UserRole;
constexpr int kKeyRole = Qt::UserRole + 1;

QIcon Swatch(const QColor& colour) {
  QPixmap pixmap(18, 14);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setPen(QColor(0x70, 0x70, 0x70));
  p.setBrush(colour);
  p.drawRect(0, 0, 17, 13);
  return QIcon(pixmap);
}

}  // namespace

QWidget* FramedColourTree(ColourTree* tree, const QString& caption) {
  auto* page = new QWidget;
  auto* outer = new QVBoxLayout(page);
  auto* frame = new QGroupBox(caption, page);
  auto* inner = new QVBoxLayout(frame);
  inner->addWidget(tree);
  outer->addWidget(frame);
  return page;
}

QColor ToQColor(std::int32_t value) {
  const auto v = static_cast<std::uint32_t>(value);
  return {static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF),
          static_cast<int>((v >> 16) & 0xFF)};
}

std::int32_t FromQColor(const QColor& colour) {
  return colour.red() | (colour.green() << 8) | (colour.blue() << 16);
}

ColourTree::ColourTree(const l10n::Strings& strings, EditorDialogs& dialogs, QWidget* parent)
    : QTreeWidget(parent), strings_(strings), dialogs_(dialogs) {
  setHeaderHidden(true);
  setRootIsDecorated(false);
  setUniformRowHeights(true);
  setIconSize(QSize(18, 14));
  connect(this, &QTreeWidget::itemClicked, this,
          [this](QTreeWidgetItem* item) { chooseColour(indexOfTopLevelItem(item)); });
}

void ColourTree::keyPressEvent(QKeyEvent* event) {
  // The keyboard reaches the chooser too.
  const int key = event->key();
  if ((key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) &&
      currentItem() != nullptr) {
    chooseColour(indexOfTopLevelItem(currentItem()));
    return;
  }
  QTreeWidget::keyPressEvent(event);
}

void ColourTree::fill(const ppdef::ColourTable& colours) {
  clear();
  const QString prefix = FromCp1252(strings_.get(kPrefixId));
  QFont bold = font();
  bold.setBold(true);
  for (int i = 0; i < ppdef::kColourCount; ++i) {
    const std::string_view key = ppdef::kColourKeys[i];
    const int wordId = ppdef::kColourWordId[i];
    // Entries without a catalogue word show the key's own word ("COULEUR_GOTO" gives "GOTO").
    const QString word = wordId != 0 ? FromCp1252(strings_.get(wordId))
                                     : FromCp1252(key.substr(std::string_view("COULEUR_").size()));
    auto* item = new QTreeWidgetItem(this, QStringList(prefix + word));
    item->setFont(0, bold);
    item->setData(0, kKeyRole, FromCp1252(key));
    item->setToolTip(0, "[" + FromCp1252(key) + "]");
    setEntryColour(item, colours[i]);
  }
  setBaseline();
}

void ColourTree::setEntryColour(QTreeWidgetItem* item, std::int32_t value) {
  item->setData(0, kValueRole, value);
  item->setForeground(0, ToQColor(value));
  item->setIcon(0, Swatch(ToQColor(value)));
}

ppdef::ColourTable ColourTree::colours() const {
  ppdef::ColourTable table{};
  for (int i = 0; i < ppdef::kColourCount && i < topLevelItemCount(); ++i) {
    table[i] = topLevelItem(i)->data(0, kValueRole).toInt();
  }
  return table;
}

void ColourTree::chooseColour(int position) {
  QTreeWidgetItem* item = topLevelItem(position);
  if (item == nullptr) return;
  setCurrentItem(item);
  QColor initial = ToQColor(item->data(0, kValueRole).toInt());
  for (;;) {
    const std::optional<QColor> chosen = dialogs_.chooseColour(this, initial);
    if (!chosen) return;  // cancelled: the entry keeps its colour
    if (FromQColor(*chosen) != ppdef::kPureRed) {
      setEntryColour(item, FromQColor(*chosen));
      break;
    }
    dialogs_.inform(this, FromCp1252(strings_.get(kRedReserved)) + "\r\n" +
                              FromCp1252(strings_.get(kChooseAnother)));
    initial = *chosen;
  }
  const bool changed = item->data(0, kValueRole).toInt() != baseline_[position];
  QFont font = item->font(0);
  font.setItalic(changed);
  item->setFont(0, font);
  item->setBackground(0, changed ? QBrush(QColor(0xff, 0xf4, 0xc2)) : QBrush());
  emit coloursChanged();
}

void ColourTree::setBaseline() {
  baseline_ = colours();
  for (int i = 0; i < topLevelItemCount(); ++i) {
    QFont font = topLevelItem(i)->font(0);
    font.setItalic(false);
    topLevelItem(i)->setFont(0, font);
    topLevelItem(i)->setBackground(0, QBrush());
  }
}

bool ColourTree::isChanged() const { return colours() != baseline_; }

int ColourTree::applyFilter(const QString& filter) {
  int shown = 0;
  for (int i = 0; i < topLevelItemCount(); ++i) {
    QTreeWidgetItem* item = topLevelItem(i);
    const bool match = filter.isEmpty() || item->text(0).contains(filter, Qt::CaseInsensitive) ||
                       item->data(0, kKeyRole).toString().contains(filter, Qt::CaseInsensitive);
    item->setHidden(!match);
    shown += match ? 1 : 0;
  }
  return shown;
}

}  // namespace ordalis::ui
