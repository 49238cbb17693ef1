#include "ui/ppdef/machine_picture.h"

#include <QPainter>
#include <QPainterPath>
#include <vector>

namespace ordalis::ui {

namespace {

// The drawing is made in a fixed box and scaled to the widget.
constexpr int kWidth = 340, kHeight = 380;
constexpr int kCentre = 190;                  // x of the spindle and of the table
constexpr int kArmTop = 22, kArmBottom = 48;  // the arm the head hangs from
constexpr int kBedTop = 300;

enum class Turn { kAboutX, kAboutY, kAboutZ, kTilted };
enum class Special { kNone, kRobot, kLathe, kVector };

struct Joint {
  char letter;
  Turn turn;
};

struct Sketch {
  std::vector<Joint> head;   // from the arm down to the spindle: each carries the next
  std::vector<Joint> table;  // from the bed up to the part
  Special special = Special::kNone;
};

const QColor kFrame(0xd9, 0xdd, 0xe3), kOutline(0x5a, 0x62, 0x70), kHead(0xb8, 0xc6, 0xda),
    kTable(0xc8, 0xd6, 0xbc), kPart(0xe8, 0xc8, 0x8a), kTool(0x30, 0x30, 0x30);

QColor LetterColour(char letter) {
  if (letter == 'A') return {0x1f, 0x5f, 0xbf};
  if (letter == 'B') return {0x1e, 0x84, 0x4a};
  return {0xc0, 0x5a, 0x00};
}

Sketch SketchOf(int n) {
  const Joint a{'A', Turn::kAboutX}, b{'B', Turn::kAboutY}, c{'C', Turn::kAboutZ};
  const Joint a45{'A', Turn::kTilted}, b45{'B', Turn::kTilted};
  switch (n) {
    case 2:
      return {{b, a}, {}};
    case 3:
      return {{c, a}, {}};
    case 4:
      return {{c, b}, {}};
    case 5:
    case 19:
      return {{c, a45}, {}};
    case 6:
    case 20:
      return {{c, b45}, {}};
    case 7:
      return {{}, {a, c}};
    case 8:
      return {{}, {b, c}};
    case 9:
      return {{}, {a45, c}};
    case 10:
      return {{}, {b45, c}};
    case 11:
      return {{a}, {c}};
    case 12:
      return {{b}, {c}};
    case 13:
      return {{a45}, {c}};
    case 14:
      return {{b45}, {c}};
    case 15:
      return {{c, b, a}, {}};
    case 16:
      return {{}, {}, Special::kRobot};
    case 17:
      return {{}, {}, Special::kLathe};
    case 18:
      return {{}, {}, Special::kVector};
    default:
      return {};
  }
}

void Arrowhead(QPainter& p, QPointF tip, QPointF from) {
  const QLineF back(tip, from);
  QLineF side1 = back, side2 = back;
  side1.setLength(7);
  side2.setLength(7);
  side1.setAngle(back.angle() + 28);
  side2.setAngle(back.angle() - 28);
  p.drawLine(side1);
  p.drawLine(side2);
}

// The rotation of one axis: its dash-dot centre line and a curved arrow around it.
void TurnSymbol(QPainter& p, QPointF centre, Turn turn, const QColor& colour) {
  p.save();
  p.translate(centre);
  if (turn == Turn::kTilted) p.rotate(-45);
  QPen axisPen(colour, 1.2, Qt::DashDotLine);
  p.setPen(axisPen);
  p.setBrush(Qt::NoBrush);
  if (turn == Turn::kAboutZ || turn == Turn::kTilted) p.drawLine(QPointF(0, -34), QPointF(0, 34));
  if (turn == Turn::kAboutX) p.drawLine(QPointF(-44, 0), QPointF(44, 0));
  p.setPen(QPen(colour, 2));
  QRectF arc;
  if (turn == Turn::kAboutX)
    arc = QRectF(-7, -16, 14, 32);
  else if (turn == Turn::kAboutY)
    arc = QRectF(-13, -13, 26, 26);
  else
    arc = QRectF(-24, -7, 48, 14);
  p.drawArc(arc, 200 * 16, 280 * 16);
  const QPainterPath path = [&arc] {
    QPainterPath path;
    path.arcMoveTo(arc, 200 + 280);
    path.arcTo(arc, 200 + 280, -6);
    return path;
  }();
  Arrowhead(p, path.pointAtPercent(0), path.pointAtPercent(1));
  if (turn == Turn::kAboutY) {  // the axis points at the viewer
    p.setBrush(colour);
    p.drawEllipse(QPointF(0, 0), 2.5, 2.5);
  }
  p.restore();
}

void Letter(QPainter& p, QPointF at, char letter) {
  QFont font = p.font();
  font.setBold(true);
  font.setPixelSize(20);
  p.setFont(font);
  p.setPen(LetterColour(letter));
  p.drawText(QRectF(at.x(), at.y() - 14, 28, 28), Qt::AlignCenter, QString(QChar(letter)));
}

void Block(QPainter& p, const QRectF& r, const QColor& fill) {
  p.setPen(QPen(kOutline, 1.2));
  p.setBrush(fill);
  p.drawRoundedRect(r, 4, 4);
}

// Height each table joint takes above the previous one.
int TableJointHeight(const Joint& j) { return j.turn == Turn::kAboutZ ? 26 : 50; }

void TableJoint(QPainter& p, const Joint& j, qreal bottom) {
  if (j.turn == Turn::kAboutZ) {
    const QRectF top(kCentre - 70, bottom - 26, 140, 18);
    p.setPen(QPen(kOutline, 1.2));
    p.setBrush(kTable.darker(112));
    p.drawRect(QRectF(kCentre - 70, bottom - 17, 140, 10));
    p.setBrush(kTable);
    p.drawEllipse(top);
    TurnSymbol(p, QPointF(kCentre, bottom - 17), Turn::kAboutZ, LetterColour(j.letter));
    Letter(p, QPointF(kCentre + 74, bottom - 17), j.letter);
    return;
  }
  // A tilting cradle: two bearings on the bed and the swinging plate between them.
  Block(p, QRectF(kCentre - 78, bottom - 44, 16, 44), kTable);
  Block(p, QRectF(kCentre + 62, bottom - 44, 16, 44), kTable);
  Block(p, QRectF(kCentre - 62, bottom - 34, 124, 14), kTable.lighter(106));
  const QPointF pivot =
      j.turn == Turn::kAboutY ? QPointF(kCentre, bottom - 27) : QPointF(kCentre + 70, bottom - 27);
  TurnSymbol(p, pivot, j.turn, LetterColour(j.letter));
  Letter(p, QPointF(kCentre + 84, bottom - 27), j.letter);
}

// Draws the bed, the table chain and the part; returns the top of the part.
qreal DrawTable(QPainter& p, const std::vector<Joint>& joints) {
  Block(p, QRectF(20, kBedTop, 300, 22), kFrame);
  qreal bottom = kBedTop;
  if (joints.empty()) {
    Block(p, QRectF(kCentre - 75, bottom - 12, 150, 12), kTable);
    bottom -= 12;
  }
  for (const Joint& j : joints) {
    TableJoint(p, j, bottom);
    bottom -= TableJointHeight(j);
  }
  Block(p, QRectF(kCentre - 26, bottom - 22, 52, 22), kPart);
  return bottom - 22;
}

void Spindle(QPainter& p, qreal toolTip) {
  Block(p, QRectF(kCentre - 16, toolTip - 74, 32, 40), kHead);
  p.setPen(QPen(kTool, 5, Qt::SolidLine, Qt::FlatCap));
  p.drawLine(QPointF(kCentre, toolTip - 34), QPointF(kCentre, toolTip - 4));
  p.setPen(QPen(kTool, 1));
  p.setBrush(kTool);
  p.drawPolygon(QPolygonF({QPointF(kCentre - 2.5, toolTip - 4), QPointF(kCentre + 2.5, toolTip - 4),
                           QPointF(kCentre, toolTip)}));
}

// Draws the column, the arm, the head chain and the spindle down to `toolTip`.
void DrawHead(QPainter& p, const std::vector<Joint>& joints, qreal toolTip) {
  Block(p, QRectF(20, kArmTop, 34, kBedTop - kArmTop), kFrame);
  Block(p, QRectF(20, kArmTop, 200, kArmBottom - kArmTop), kFrame);
  qreal y = toolTip - 74;  // top of the spindle
  const qreal headTop = y - 42.0 * static_cast<qreal>(joints.size());
  Block(p, QRectF(kCentre - 14, kArmBottom, 28, headTop - kArmBottom), kHead.lighter(108));
  Spindle(p, toolTip);
  for (auto it = joints.rbegin(); it != joints.rend(); ++it) {
    y -= 42;
    Block(p, QRectF(kCentre - 28, y + 2, 56, 38), kHead);
    TurnSymbol(p, QPointF(kCentre, y + 21), it->turn, LetterColour(it->letter));
    Letter(p, QPointF(kCentre + 46, y + 21), it->letter);
  }
}

void Triad(QPainter& p, QPointF o, const QString& right, const QString& up) {
  p.setPen(QPen(kOutline, 1.5));
  QFont font = p.font();
  font.setBold(true);
  font.setPixelSize(12);
  p.setFont(font);
  const QPointF r = o + QPointF(30, 0), u = o + QPointF(0, -30);
  p.drawLine(o, r);
  p.drawLine(o, u);
  Arrowhead(p, r, o);
  Arrowhead(p, u, o);
  p.drawText(r + QPointF(4, 5), right);
  p.drawText(u + QPointF(-4, -4), up);
  if (right == "X") {
    const QPointF d = o + QPointF(18, -16);
    p.drawLine(o, d);
    Arrowhead(p, d, o);
    p.drawText(d + QPointF(3, -2), "Y");
  }
}

void DrawRobot(QPainter& p) {
  Block(p, QRectF(20, kBedTop, 300, 22), kFrame);
  Block(p, QRectF(70, kBedTop - 26, 70, 26), kFrame);
  const QPointF shoulder(105, 230), elbow(150, 120), wrist(245, 150), tip(245, 230);
  p.setPen(QPen(kHead.darker(130), 16, Qt::SolidLine, Qt::RoundCap));
  p.drawPolyline(QPolygonF({QPointF(105, kBedTop - 26), shoulder, elbow, wrist}));
  p.setPen(QPen(kTool, 4));
  p.drawLine(wrist, tip);
  Block(p, QRectF(200, 250, 90, 22), kPart);
  TurnSymbol(p, wrist + QPointF(-44, -8), Turn::kAboutX, LetterColour('A'));
  TurnSymbol(p, wrist, Turn::kAboutY, LetterColour('B'));
  TurnSymbol(p, wrist + QPointF(0, 40), Turn::kAboutZ, LetterColour('C'));
  Letter(p, wrist + QPointF(-60, -36), 'A');
  Letter(p, wrist + QPointF(18, -30), 'B');
  Letter(p, wrist + QPointF(26, 32), 'C');
}

void DrawLathe(QPainter& p) {
  Block(p, QRectF(20, kBedTop, 300, 22), kFrame);
  Block(p, QRectF(24, 170, 66, kBedTop - 170), kFrame);
  Block(p, QRectF(90, 180, 20, 70), kTable);
  Block(p, QRectF(110, 195, 130, 40), kPart);
  TurnSymbol(p, QPointF(170, 215), Turn::kAboutX, LetterColour('C'));
  Letter(p, QPointF(150, 262), 'C');
  Block(p, QRectF(190, 40, 80, 26), kFrame);
  Block(p, QRectF(204, 66, 52, 64), kHead);
  TurnSymbol(p, QPointF(230, 98), Turn::kAboutY, LetterColour('B'));
  Letter(p, QPointF(262, 98), 'B');
  p.setPen(QPen(kTool, 4));
  p.drawLine(QPointF(230, 130), QPointF(230, 190));
}

void DrawVector(QPainter& p) {
  Block(p, QRectF(20, kBedTop, 300, 22), kFrame);
  Block(p, QRectF(70, kBedTop - 40, 200, 40), kPart);
  const QPointF foot(170, kBedTop - 40), head(250, kBedTop - 190);
  p.setPen(QPen(kOutline, 1, Qt::DashLine));
  p.drawLine(foot, QPointF(head.x(), foot.y()));
  p.drawLine(QPointF(head.x(), foot.y()), head);
  p.setPen(QPen(kTool, 3));
  p.drawLine(foot, head);
  Arrowhead(p, head, foot);
  // The components of the tool axis; J points at the viewer.
  QFont bold = p.font();
  bold.setBold(true);
  bold.setPixelSize(18);
  p.setFont(bold);
  p.setPen(kOutline);
  p.drawText(QRectF(196, foot.y() - 24, 28, 24), Qt::AlignCenter, "I");
  p.drawText(QRectF(head.x() + 6, (foot.y() + head.y()) / 2 - 12, 28, 24), Qt::AlignCenter, "K");
  QFont font = p.font();
  font.setPixelSize(13);
  p.setFont(font);
  p.setPen(kOutline);
  p.drawText(QRectF(60, 60, 220, 40), Qt::AlignCenter, "I, J, K  \u2192  A3 B3 C3");
}

}  // namespace

MachinePicture::MachinePicture(QWidget* parent) : QWidget(parent) {
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void MachinePicture::setKinematics(int number, const QString& name) {
  number_ = number >= 1 && number <= 20 ? number : 0;
  name_ = number_ != 0 ? name : QString();
  update();
}

void MachinePicture::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.fillRect(rect(), Qt::white);
  p.setPen(QPen(kFrame.darker(115), 1));
  p.drawRect(rect().adjusted(0, 0, -1, -1));
  if (number_ == 0) return;
  const qreal scale = std::min(width() / qreal(kWidth), height() / qreal(kHeight));
  p.translate((width() - kWidth * scale) / 2, (height() - kHeight * scale) / 2);
  p.scale(scale, scale);

  const Sketch sketch = SketchOf(number_);
  switch (sketch.special) {
    case Special::kRobot:
      DrawRobot(p);
      break;
    case Special::kLathe:
      DrawLathe(p);
      break;
    case Special::kVector:
      DrawVector(p);
      break;
    case Special::kNone:
      DrawHead(p, sketch.head, DrawTable(p, sketch.table) - 6);
      break;
  }
  if (sketch.special == Special::kLathe) {
    Triad(p, QPointF(280, 150), "Z", "X");
  } else {
    Triad(p, QPointF(272, 110), "X", "Z");
  }
  QFont font = p.font();
  font.setPixelSize(15);
  font.setBold(true);
  p.setFont(font);
  p.setPen(kOutline.darker(130));
  p.drawText(QRectF(0, 330, kWidth, 40), Qt::AlignCenter, name_);
}

}  // namespace ordalis::ui
