#include "ui/display/graphics_view.h"

#include <QAction>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QToolBar>
#include <QVBoxLayout>

#include "core/l10n/strings.h"
#include "ui/common/cp1252.h"
#include "ui/display/toolpath_canvas.h"

namespace ordalis::ui {

namespace {

constexpr int kTitle = 6300, kTop = 6301, kFront = 6302, kRight = 6303, kIsometric = 6304,
              kFit = 6305, kRapids = 6306, kLabels = 6307, kHint = 6308, kMove = 6309;

QString Coordinate(const char* axis, double value) {
  return QString::fromLatin1(axis) + QString::number(value, 'f', 3);
}

}  // namespace

GraphicsView::GraphicsView(const l10n::Strings& strings, QWidget* parent)
    : QWidget(parent, Qt::Window), strings_(strings) {
  setObjectName("VisuForm");
  setWindowTitle(FromCp1252(strings_.get(kTitle)));
  canvas_ = new ToolpathCanvas(this);
  status_ = new QLabel(this);
  status_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(buildToolBar());
  layout->addWidget(canvas_, 1);
  layout->addWidget(status_);
  connect(canvas_, &ToolpathCanvas::movePicked, this, &GraphicsView::onPicked);
  resize(700, 760);
  showStatus();
}

QWidget* GraphicsView::buildToolBar() {
  auto* bar = new QToolBar(this);
  const auto text = [&](int id) { return FromCp1252(strings_.get(id)); };
  const std::pair<int, display::StandardView> views[] = {
      {kTop, display::StandardView::Top},
      {kFront, display::StandardView::Front},
      {kRight, display::StandardView::Right},
      {kIsometric, display::StandardView::Isometric}};
  for (const auto& [id, view] : views) {
    bar->addAction(text(id), this, [this, view = view] { showStandardView(view); });
  }
  bar->addAction(text(kFit), this, &GraphicsView::fit);
  bar->addSeparator();
  rapids_ = bar->addAction(text(kRapids));
  rapids_->setCheckable(true);
  rapids_->setChecked(true);
  connect(rapids_, &QAction::toggled, canvas_, &ToolpathCanvas::setShowRapids);
  labels_ = bar->addAction(text(kLabels));
  labels_->setCheckable(true);
  labels_->setChecked(true);
  connect(labels_, &QAction::toggled, canvas_, &ToolpathCanvas::setShowLabels);
  return bar;
}

void GraphicsView::setMoveList(std::shared_ptr<const display::MoveList> list) {
  canvas_->setMoveList(std::move(list));
  showStatus();
}

const display::MoveList* GraphicsView::moveList() const { return canvas_->moveList(); }

void GraphicsView::placeBeside(const QWidget* mainWindow) {
  const QRect main = mainWindow->frameGeometry();
  const QScreen* screen = mainWindow->screen();
  const QRect room = screen ? screen->availableGeometry() : QRect(main.topLeft(), size());
  QPoint at(main.right() + 1, main.top());
  if (at.x() + width() > room.right()) at.setX(std::max(room.left(), room.right() - width()));
  move(at);
}

void GraphicsView::clearDisplay() {
  canvas_->clear();
  showStatus();
  hide();
}

void GraphicsView::clearLabels() { canvas_->clearLabels(); }

void GraphicsView::markStatements(std::vector<bool> statements) {
  canvas_->markStatements(std::move(statements), selectColour_);
}

void GraphicsView::showStandardView(display::StandardView view) { canvas_->showStandardView(view); }

void GraphicsView::fit() { canvas_->fit(); }

void GraphicsView::onPicked(qulonglong move) {
  showStatus();
  const display::MoveList* list = canvas_->moveList();
  if (!list || move >= list->size()) return;
  emit movePicked(move, list->statement(move));
}

void GraphicsView::showStatus() {
  const display::MoveList* list = canvas_->moveList();
  const std::size_t move = canvas_->pickedMove();
  if (!list || move >= list->size()) {
    status_->setText(FromCp1252(strings_.get(kHint)));
    return;
  }
  const display::Point& p = list->end(move);
  QString text = FromCp1252(strings_.get(kMove)) + ' ' + QString::number(move) + ": " +
                 Coordinate("X", p.x) + ' ' + Coordinate("Y", p.y) + ' ' + Coordinate("Z", p.z);
  const std::uint32_t statement = list->statement(move);
  if (statement < list->statementCount()) {
    text += QString::fromLatin1("   ") + FromCp1252(list->statementText(statement));
  }
  status_->setText(text);
}

void GraphicsView::showEvent(QShowEvent* event) {
  // The picture takes the keys, so that no tool button looks pressed on opening.
  canvas_->setFocus();
  QWidget::showEvent(event);
}

void GraphicsView::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    emit clearRequested();
    return;
  }
  QWidget::keyPressEvent(event);
}

void GraphicsView::closeEvent(QCloseEvent* event) {
  emit clearRequested();
  event->accept();
}

}  // namespace ordalis::ui
