#include "ui/app/tool_tree_view.h"

#include <QHeaderView>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <array>

#include "core/l10n/strings.h"
#include "core/tools/tool_label.h"
#include "core/tools/tool_tree.h"
#include "ui/common/cp1252.h"

namespace ordalis::ui {

namespace {

constexpr int kLibraryTitle = 4001;

/// The side view of a cutter on a 16-unit square: shank above, cutting end below.
void DrawCutter(QPainter& p, std::int16_t type) {
  const QColor steel(0x8a, 0x96, 0xa3), edge(0x3b, 0x42, 0x4c);
  p.setPen(QPen(edge, 1.0));
  p.setBrush(steel.lighter(130));
  p.drawRect(QRectF(6, 1, 4, 5));  // shank
  p.setBrush(steel);
  QPainterPath body;
  switch (type) {
    case tools::kBallEnd:
      body.moveTo(4, 6);
      body.lineTo(12, 6);
      body.lineTo(12, 11);
      body.arcTo(QRectF(4, 7, 8, 8), 0, -180);
      break;
    case tools::kToroidal:
      body.addRoundedRect(QRectF(4, 6, 8, 9), 2.5, 2.5);
      break;
    case tools::kDrill:
      body.moveTo(5, 6);
      body.lineTo(11, 6);
      body.lineTo(11, 12);
      body.lineTo(8, 15.5);
      body.lineTo(5, 12);
      break;
    case tools::kEmptySlot:
      p.setBrush(Qt::NoBrush);
      p.setPen(QPen(edge, 1.0, Qt::DotLine));
      body.addRect(QRectF(4, 6, 8, 9));
      break;
    default:
      body.addRect(QRectF(4, 6, 8, 9));
      break;
  }
  body.closeSubpath();
  p.drawPath(body);
}

QIcon CutterIcon(std::int16_t type) {
  static std::array<QIcon, 5> icons;
  const int index = type >= 0 && type < 5 ? type : tools::kFlatEnd;
  if (icons[index].isNull()) {
    QIcon icon;
    for (int size : {16, 32}) {
      QPixmap pixmap(size, size);
      pixmap.fill(Qt::transparent);
      QPainter painter(&pixmap);
      painter.setRenderHint(QPainter::Antialiasing);
      painter.scale(size / 16.0, size / 16.0);
      DrawCutter(painter, static_cast<std::int16_t>(index));
      painter.end();
      icon.addPixmap(pixmap);
    }
    icons[index] = icon;
  }
  return icons[index];
}

}  // namespace

ToolTreeView::ToolTreeView(const l10n::Strings& strings, QWidget* parent)
    : QTreeWidget(parent), strings_(strings) {
  setObjectName("TreeViewTOOL");
  setColumnCount(1);
  setHeaderHidden(true);
  setRootIsDecorated(true);
  setUniformRowHeights(true);
  auto* root = new QTreeWidgetItem(this);
  root->setData(0, kKeyRole, QString::fromUtf8(tools::ToolTree::kRootKey));
  QFont bold = font();
  bold.setBold(true);
  root->setFont(0, bold);
  applyTexts();
  root->setExpanded(true);
}

void ToolTreeView::applyTexts() {
  if (!hasTools_) root()->setText(0, FromCp1252(strings_.get(kLibraryTitle)));
}

void ToolTreeView::showTree(const tools::ToolTree& tree) {
  hasTools_ = !tree.empty();
  QTreeWidgetItem* lib = root();
  if (!hasTools_) {
    applyTexts();
  } else {
    lib->setText(0, FromCp1252(tree.rootText()));
  }
  const auto& nodes = tree.slotNodes();
  while (lib->childCount() > static_cast<int>(nodes.size())) {
    delete lib->takeChild(lib->childCount() - 1);
  }
  for (std::size_t i = 0; i < nodes.size(); ++i) {
    QTreeWidgetItem* item = static_cast<int>(i) < lib->childCount()
                                ? lib->child(static_cast<int>(i))
                                : new QTreeWidgetItem(lib);
    const QString label = FromCp1252(nodes[i].text);
    item->setText(0, label);
    item->setToolTip(0, label);
    item->setData(0, kKeyRole, FromCp1252(nodes[i].key));
    item->setIcon(0, CutterIcon(nodes[i].type));
  }
  lib->setExpanded(true);
}

}  // namespace ordalis::ui
