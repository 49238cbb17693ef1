// Each image is drawn on a 24-unit square; the painter scales it to the pixmap's size.
#include "ui/app/command_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>
#include <cmath>

namespace ordalis::ui {

namespace {

const QColor kInk(0x3b, 0x42, 0x4c);
const QColor kPaper(0xff, 0xff, 0xff);
const QColor kFolder(0xe8, 0xb0, 0x3c);
const QColor kBlue(0x2f, 0x6f, 0xc0);
const QColor kGreen(0x2e, 0x9a, 0x48);
const QColor kRed(0xd0, 0x32, 0x2c);
const QColor kGrey(0x9a, 0xa3, 0xad);

void Pen(QPainter& p, const QColor& colour, qreal width = 1.4) {
  p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

/// A page with a folded corner and a few text lines.
void Page(QPainter& p, QRectF r, int lines = 3) {
  Pen(p, kInk, 1.2);
  p.setBrush(kPaper);
  const qreal fold = r.width() * 0.3;
  QPolygonF outline({r.topLeft(), QPointF(r.right() - fold, r.top()),
                     QPointF(r.right(), r.top() + fold), r.bottomRight(), r.bottomLeft()});
  p.drawPolygon(outline);
  p.drawPolyline(
      QPolygonF({QPointF(r.right() - fold, r.top()), QPointF(r.right() - fold, r.top() + fold),
                 QPointF(r.right(), r.top() + fold)}));
  Pen(p, kGrey, 1.2);
  for (int i = 0; i < lines; ++i) {
    const qreal y = r.top() + fold + 2.5 + i * 3.0;
    if (y > r.bottom() - 1.5) break;
    p.drawLine(QPointF(r.left() + 2, y), QPointF(r.right() - 2.5, y));
  }
}

void Folder(QPainter& p) {
  Pen(p, kInk, 1.2);
  p.setBrush(kFolder.darker(110));
  p.drawPolygon(QPolygonF({{2, 6}, {9, 6}, {11, 8}, {21, 8}, {21, 20}, {2, 20}}));
  p.setBrush(kFolder);
  p.drawPolygon(QPolygonF({{2, 20}, {5, 11}, {23, 11}, {21, 20}}));
}

/// A round badge with a letter, at the lower right.
void Badge(QPainter& p, const QColor& colour, const QString& letter, QPointF centre = {17, 17},
           qreal radius = 6.5) {
  Pen(p, kPaper, 1.2);
  p.setBrush(colour);
  p.drawEllipse(centre, radius, radius);
  QFont font = p.font();
  font.setBold(true);
  font.setPixelSize(static_cast<int>(radius * 1.55));
  p.setFont(font);
  p.setPen(kPaper);
  p.drawText(QRectF(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius),
             Qt::AlignCenter, letter);
}

void Arrow(QPainter& p, QPointF from, QPointF to, const QColor& colour) {
  Pen(p, colour, 2.2);
  p.drawLine(from, to);
  const QPointF d = (to - from) / std::hypot(to.x() - from.x(), to.y() - from.y());
  const QPointF n(-d.y(), d.x());
  p.setBrush(colour);
  Pen(p, colour, 1.0);
  p.drawPolygon(QPolygonF({to + d * 2.0, to - d * 3.5 + n * 3.5, to - d * 3.5 - n * 3.5}));
}

void Gear(QPainter& p, QPointF c, qreal radius) {
  QPainterPath path;
  const int teeth = 8;
  for (int i = 0; i < teeth * 2; ++i) {
    const qreal a = i * M_PI / teeth;
    const qreal r = i % 2 == 0 ? radius : radius * 0.72;
    const QPointF pt = c + QPointF(std::cos(a), std::sin(a)) * r;
    i == 0 ? path.moveTo(pt) : path.lineTo(pt);
  }
  path.closeSubpath();
  path.addEllipse(c, radius * 0.3, radius * 0.3);
  Pen(p, kInk, 1.1);
  p.setBrush(kGrey.lighter(115));
  p.drawPath(path);
}

void Magnifier(QPainter& p, QPointF c, qreal r) {
  Pen(p, kInk, 2.2);
  p.drawLine(c + QPointF(r * 0.7, r * 0.7), c + QPointF(r * 1.7, r * 1.7));
  Pen(p, kInk, 1.6);
  p.setBrush(QColor(0xdd, 0xea, 0xf7));
  p.drawEllipse(c, r, r);
}

void Toolpath(QPainter& p, const QColor& colour) {
  Pen(p, kGrey, 1.0);
  p.drawLine(QPointF(3, 21), QPointF(21, 21));
  p.drawLine(QPointF(3, 21), QPointF(3, 3));
  Pen(p, colour, 1.8);
  p.drawPolyline(QPolygonF({{5, 18}, {8, 9}, {12, 15}, {16, 6}, {20, 12}}));
}

void Cross(QPainter& p, QPointF c, qreal r) {
  Pen(p, kRed, 2.2);
  p.drawLine(c - QPointF(r, r), c + QPointF(r, r));
  p.drawLine(c + QPointF(-r, r), c + QPointF(r, -r));
}

void Scissors(QPainter& p) {
  Pen(p, kInk, 1.6);
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QPointF(7, 18), 3, 3);
  p.drawEllipse(QPointF(17, 18), 3, 3);
  p.drawLine(QPointF(9, 15.5), QPointF(16, 3));
  p.drawLine(QPointF(15, 15.5), QPointF(8, 3));
}

void Clipboard(QPainter& p) {
  Pen(p, kInk, 1.2);
  p.setBrush(QColor(0xc8, 0x9a, 0x62));
  p.drawRoundedRect(QRectF(4, 4, 16, 18), 2, 2);
  p.setBrush(kGrey);
  p.drawRoundedRect(QRectF(8.5, 2.5, 7, 4), 1, 1);
  Page(p, QRectF(7, 8, 10, 12), 2);
}

void Sliders(QPainter& p) {
  for (int i = 0; i < 3; ++i) {
    const qreal y = 6 + i * 6;
    Pen(p, kGrey, 2.0);
    p.drawLine(QPointF(3, y), QPointF(21, y));
    Pen(p, kInk, 1.2);
    p.setBrush(kBlue);
    p.drawEllipse(QPointF(i == 1 ? 15 : 8 + i * 3, y), 2.6, 2.6);
  }
}

void Stop(QPainter& p) {
  QPolygonF octagon;
  for (int i = 0; i < 8; ++i) {
    const qreal a = M_PI / 8 + i * M_PI / 4;
    octagon << QPointF(12 + 10 * std::cos(a), 12 + 10 * std::sin(a));
  }
  Pen(p, kRed.darker(130), 1.0);
  p.setBrush(kRed);
  p.drawPolygon(octagon);
  p.setBrush(kPaper);
  p.setPen(Qt::NoPen);
  p.drawRect(QRectF(8, 8, 8, 8));
}

void Power(QPainter& p) {
  Pen(p, kInk, 2.2);
  p.setBrush(Qt::NoBrush);
  // Open at the top, where the stroke stands.
  p.drawArc(QRectF(4, 5, 16, 16), 125 * 16, 290 * 16);
  p.drawLine(QPointF(12, 2.5), QPointF(12, 11));
}

void Floppy(QPainter& p) {
  Pen(p, kInk, 1.2);
  p.setBrush(kBlue);
  p.drawRoundedRect(QRectF(3, 3, 18, 18), 2, 2);
  p.setBrush(kPaper);
  p.drawRect(QRectF(6.5, 3, 11, 7));
  p.setBrush(kGrey.lighter(120));
  p.drawRect(QRectF(7, 14, 10, 7));
}

void LineMark(QPainter& p) {
  Page(p, QRectF(6, 2, 15, 20), 0);
  Pen(p, kRed, 2.0);
  p.drawLine(QPointF(9, 12), QPointF(18, 12));
  p.setBrush(kRed);
  Pen(p, kRed.darker(120), 1.0);
  p.drawEllipse(QPointF(5, 12), 3.2, 3.2);
}

void Pages(QPainter& p, Command command) {
  switch (command) {
    case Command::kConvertText:
      Page(p, QRectF(3, 2, 13, 19), 5);
      p.setBrush(kGreen);
      Pen(p, kGreen.darker(120), 1.0);
      p.drawPolygon(QPolygonF({{12, 9}, {22, 15}, {12, 21}}));
      break;
    case Command::kConvertFile:
      Page(p, QRectF(1.5, 2, 9, 12), 2);
      Page(p, QRectF(13.5, 10, 9, 12), 2);
      Arrow(p, {5, 17}, {10.5, 17}, kGreen);
      break;
    case Command::kRenumber:
      Page(p, QRectF(3, 2, 15, 20), 5);
      Badge(p, kBlue, "N");
      break;
    case Command::kCopy:
      Page(p, QRectF(3, 2, 12, 15), 3);
      Page(p, QRectF(9, 7, 12, 15), 3);
      break;
    default:  // the log commands
      Page(p, QRectF(3, 2, 15, 20), 5);
      if (command == Command::kExportLog) Arrow(p, {12, 15}, {20, 15}, kBlue);
      if (command == Command::kClearLog) Cross(p, {17, 17}, 3.5);
      break;
  }
}

void Draw(QPainter& p, Command command) {
  switch (command) {
    case Command::kOpenApt:
      Folder(p);
      Badge(p, kBlue, "A");
      break;
    case Command::kOpenIso:
      Folder(p);
      Badge(p, kGreen, "G");
      break;
    case Command::kSelectDefinition:
      Folder(p);
      Gear(p, {17, 17}, 6);
      break;
    case Command::kSaveIso:
      Floppy(p);
      break;
    case Command::kDefinitionEditor:
      Gear(p, {12, 12}, 10);
      break;
    case Command::kConfiguration:
      Sliders(p);
      break;
    case Command::kSearch:
      Magnifier(p, {10, 10}, 6);
      break;
    case Command::kNext:
      Magnifier(p, {9, 9}, 5.5);
      Arrow(p, {14, 6}, {21, 6}, kBlue);
      break;
    case Command::kReplaceAll:
      Badge(p, kGrey, "a", {7, 7});
      Badge(p, kRed, "b", {17, 17});
      Arrow(p, {5, 15}, {9, 19}, kInk);
      break;
    case Command::kCut:
      Scissors(p);
      break;
    case Command::kPaste:
      Clipboard(p);
      break;
    case Command::kDisplay:
      Toolpath(p, kBlue);
      break;
    case Command::kClearDisplay:
      Toolpath(p, kGrey);
      Cross(p, {17, 17}, 3.5);
      break;
    case Command::kClearLabels:
      Toolpath(p, kBlue);
      Badge(p, kRed, "i");
      break;
    case Command::kHighlight:
      Pen(p, QColor(0xff, 0xe0, 0x40), 5);
      p.drawLine(QPointF(9, 12), QPointF(16, 6));
      Toolpath(p, kBlue);
      break;
    case Command::kStop:
      Stop(p);
      break;
    case Command::kLineMark:
      LineMark(p);
      break;
    case Command::kAbout:
      Badge(p, kBlue, "i", {12, 12}, 10);
      break;
    case Command::kVersion:
      Badge(p, kGreen, "v", {12, 12}, 10);
      break;
    case Command::kQuit:
      Power(p);
      break;
    default:
      Pages(p, command);
      break;
  }
}

}  // namespace

QIcon CommandIcon(Command command) {
  QIcon icon;
  for (int size : {16, 24, 32, 48}) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(size / 24.0, size / 24.0);
    Draw(painter, command);
    painter.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

}  // namespace ordalis::ui
