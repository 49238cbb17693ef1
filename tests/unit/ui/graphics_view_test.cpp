// The graphics view on the offscreen platform: pictures checked pixel by pixel at projected points,
// and the mouse driving the view as a user would.
#include "ui/display/graphics_view.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QSignalSpy>
#include <QTest>
#include <cmath>
#include <memory>

#include "core/display/toolpath_builder.h"
#include "core/l10n/strings.h"
#include "ui/display/toolpath_canvas.h"

namespace ordalis::ui::test {
namespace {

using display::LinearMotion;
using display::Point;

constexpr double kPi = 3.14159265358979323846;
constexpr std::int32_t kYellow = 0x00FFFF;  // red in the low byte
constexpr std::int32_t kMagenta = 0xFF00FF;

struct Rgb {
  int r, g, b;
};

/// The colour of the 3 x 3 square around `at`, summed per channel: an antialiased line of one
/// pixel may share its light between two pixels.
Rgb Around(const QImage& image, QPointF at) {
  Rgb sum{0, 0, 0};
  for (int dy = -1; dy <= 1; ++dy) {
    for (int dx = -1; dx <= 1; ++dx) {
      const QColor c = image.pixelColor(static_cast<int>(std::lround(at.x())) + dx,
                                        static_cast<int>(std::lround(at.y())) + dy);
      sum = {sum.r + c.red(), sum.g + c.green(), sum.b + c.blue()};
    }
  }
  return {std::min(sum.r, 255), std::min(sum.g, 255), std::min(sum.b, 255)};
}

bool IsRed(Rgb c) { return c.r > 150 && c.g < 60 && c.b < 60; }
bool IsGreen(Rgb c) { return c.g > 150 && c.r < 60 && c.b < 60; }
bool IsYellow(Rgb c) { return c.r > 150 && c.g > 150 && c.b < 60; }
bool IsMagenta(Rgb c) { return c.r > 150 && c.b > 150 && c.g < 60; }
bool IsBlack(Rgb c) { return c.r < 20 && c.g < 20 && c.b < 20; }

class GraphicsViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    strings.setLanguage(l10n::kEnglish);
    view = std::make_unique<GraphicsView>(strings);
    view->resize(500, 560);
    view->show();
    QApplication::processEvents();
    canvas = view->canvas();
  }

  /// A rapid to (-60, 60), a feed to (60, 60), a clockwise half circle in colour 0 down to (60, 0)
  /// through (90, 30), then two moves whose end points are as far from (0, -40) as each other.
  void showSample() {
    auto list = std::make_shared<display::MoveList>();
    display::ToolpathBuilder builder(*list, 0.01, {});
    builder.start();
    builder.beginStatement("GOTO/-60,60,0", 4);
    builder.addLinear(LinearMotion::Rapid, {-60, 60, 0});
    builder.beginStatement("GOTO/60,60,0", 5);
    builder.addLinear(LinearMotion::Feed, {60, 60, 0});
    builder.appendInfo("F500");
    builder.beginStatement("GOTO/60,0,0", 7);
    builder.addArc({{60, 60, 0}, {60, 0, 0}, {60, 30, 0}, {0, 0, 1}, true}, 2);
    builder.beginStatement("GOTO/-40,-40,0", 8);
    builder.addLinear(LinearMotion::Feed, {-40, -40, 0});
    builder.beginStatement("GOTO/40,-40,0", 9);
    builder.addLinear(LinearMotion::Feed, {40, -40, 0});
    builder.finish();
    list->setDefaultColour(kYellow);
    view->setMoveList(list);
    QApplication::processEvents();
  }

  QImage picture() const { return canvas->render(canvas->size()); }
  Rgb at(const QImage& image, const Point& world) const {
    return Around(image, canvas->pixelOf(world));
  }
  QPoint pixel(const Point& world) const { return canvas->pixelOf(world).toPoint(); }

  /// Sends a mouse event with a position between pixels, as a high-resolution pointer may.
  void send(QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons buttons) {
    QMouseEvent event(type, at, canvas->mapToGlobal(at), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(canvas, &event);
  }

  l10n::Strings strings;
  std::unique_ptr<GraphicsView> view;
  ToolpathCanvas* canvas = nullptr;
};

TEST_F(GraphicsViewTest, MovesAreDrawnInTheirColoursAndColourZeroInTheDefault) {
  showSample();
  const QImage image = picture();
  EXPECT_TRUE(IsRed(at(image, {-30, 30, 0})));    // the rapid
  EXPECT_TRUE(IsGreen(at(image, {0, 60, 0})));    // the feed
  EXPECT_TRUE(IsYellow(at(image, {90, 30, 0})));  // an arc step of colour 0
  EXPECT_TRUE(IsBlack(at(image, {-80, -80, 0})));
  EXPECT_TRUE(IsBlack(at(image, {75, 30, 0})));  // inside the arc
}

TEST_F(GraphicsViewTest, TogglesHideTheRapidsAndMarksColourTheMovesOfStatements) {
  showSample();
  view->setSelectColour(kMagenta);
  std::vector<bool> marked(view->moveList()->statementCount(), false);
  marked[1] = true;  // GOTO/60,60,0
  view->markStatements(marked);
  canvas->setShowRapids(false);
  const QImage image = picture();
  EXPECT_TRUE(IsBlack(at(image, {-30, 30, 0})));
  EXPECT_TRUE(IsMagenta(at(image, {0, 60, 0})));
  view->markStatements({});
  EXPECT_TRUE(IsGreen(at(picture(), {0, 60, 0})));
}

TEST_F(GraphicsViewTest, ShiftClickPicksTheNearestEndPointAndATieGoesToTheFirst) {
  showSample();
  QSignalSpy picked(view.get(), &GraphicsView::movePicked);
  QTest::mouseClick(canvas, Qt::LeftButton, Qt::NoModifier, pixel({-40, -40, 0}));
  EXPECT_EQ(picked.count(), 0);  // no Shift, no pick

  QTest::mouseClick(canvas, Qt::LeftButton, Qt::ShiftModifier, pixel({0, -40, 0}));
  ASSERT_EQ(picked.count(), 1);
  const display::MoveList& list = *view->moveList();
  const auto move = picked.at(0).at(0).toULongLong();
  const auto statement = picked.at(0).at(1).toUInt();
  EXPECT_EQ(list.statementText(statement), "GOTO/-40,-40,0");
  EXPECT_EQ(list.statementLine(statement), 8);  // the APT line to select
  EXPECT_EQ(canvas->pickedMove(), move);
  const Rgb white = at(picture(), {10, -20, 0});  // the picked move is drawn bright white
  EXPECT_TRUE(white.r > 200 && white.g > 200 && white.b > 200);

  QTest::mouseClick(canvas, Qt::LeftButton, Qt::ShiftModifier, pixel({58, 62, 0}));
  EXPECT_EQ(list.statementText(picked.at(1).at(1).toUInt()), "GOTO/60,60,0");
}

TEST_F(GraphicsViewTest, FourteenPiUnitsOfMiddleDragTurnOneRadian) {
  showSample();
  const double side = std::min(canvas->width(), canvas->height());
  const double pixels = 14 * kPi * side / 200;  // 200 units across the unzoomed picture
  canvas->changeView([](display::ViewTransform& v) { v.zoomAbout({0, 0}, 0.1); });
  const QPointF from(100, 100);
  send(QEvent::MouseButtonPress, from, Qt::MiddleButton, Qt::MiddleButton);
  send(QEvent::MouseMove, from + QPointF(0, pixels), Qt::NoButton, Qt::MiddleButton);
  send(QEvent::MouseButtonRelease, from + QPointF(0, pixels), Qt::MiddleButton, Qt::NoButton);
  EXPECT_NEAR(canvas->view().angleA(), 1, 1e-12);
  EXPECT_EQ(canvas->view().angleB(), 0);

  // Left and right together rotate too, and the left button's rectangle does not zoom then.
  const double range = canvas->view().halfRange();
  send(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
  send(QEvent::MouseButtonPress, from, Qt::RightButton, Qt::LeftButton | Qt::RightButton);
  send(QEvent::MouseMove, from + QPointF(pixels / 2, 0), Qt::NoButton,
       Qt::LeftButton | Qt::RightButton);
  send(QEvent::MouseButtonRelease, from, Qt::LeftButton, Qt::RightButton);
  send(QEvent::MouseButtonRelease, from, Qt::RightButton, Qt::NoButton);
  EXPECT_NEAR(canvas->view().angleB(), 0.5, 1e-12);
  EXPECT_EQ(canvas->view().halfRange(), range);
}

TEST_F(GraphicsViewTest, ALeftDragZoomsOnItsRectangleAndAClickChangesNothing) {
  showSample();
  QTest::mouseClick(canvas, Qt::LeftButton, Qt::NoModifier, pixel({10, 10, 0}));
  EXPECT_EQ(canvas->view().halfRange(), display::ViewTransform::kDefaultHalfRange);

  const QPoint a = pixel({40, 40, 0}), b = pixel({80, 70, 0});
  QTest::mousePress(canvas, Qt::LeftButton, Qt::NoModifier, a);
  QTest::mouseMove(canvas, b);
  send(QEvent::MouseMove, b, Qt::NoButton, Qt::LeftButton);  // QTest's move carries no button
  QTest::mouseRelease(canvas, Qt::LeftButton, Qt::NoModifier, b);
  EXPECT_NEAR(canvas->view().halfRange(), 25, 0.5);
  const QPointF centre = canvas->pixelOf({60, 55, 0});
  EXPECT_NEAR(centre.x(), canvas->width() / 2.0, 2);
  EXPECT_NEAR(centre.y(), canvas->height() / 2.0, 2);
}

TEST_F(GraphicsViewTest, ADoubleClickFitsAndTheWheelZoomsAboutThePointer) {
  showSample();
  QTest::mouseDClick(canvas, Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
  // The extent runs from (-60, -40) to (90, 60): its diagonal across, its middle in the centre.
  EXPECT_NEAR(canvas->view().halfRange(), std::hypot(150, 100) / 2, 1e-9);
  const QPointF middle = canvas->pixelOf({15, 10, 0});
  EXPECT_NEAR(middle.x(), canvas->width() / 2.0, 1e-6);
  EXPECT_NEAR(middle.y(), canvas->height() / 2.0, 1e-6);

  const QPointF under = canvas->pixelOf({-40, -40, 0});
  QWheelEvent wheel(under, canvas->mapToGlobal(under), QPoint(), QPoint(0, 240), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(canvas, &wheel);
  EXPECT_NEAR(canvas->view().halfRange(), std::hypot(150, 100) / 2 / 1.5625, 1e-9);
  const QPointF after = canvas->pixelOf({-40, -40, 0});
  EXPECT_NEAR(after.x(), under.x(), 1e-6);
  EXPECT_NEAR(after.y(), under.y(), 1e-6);
}

TEST_F(GraphicsViewTest, ARotationCentreStaysStillAndClearZeroesTheOffsets) {
  showSample();
  QTest::mousePress(canvas, Qt::RightButton, Qt::NoModifier, QPoint(100, 100));
  send(QEvent::MouseMove, QPointF(130, 90), Qt::NoButton, Qt::RightButton);
  QTest::mouseRelease(canvas, Qt::RightButton, Qt::NoModifier, QPoint(130, 90));
  EXPECT_NE(canvas->view().t2().x, 0);

  QTest::mouseClick(canvas, Qt::RightButton, Qt::ShiftModifier, pixel({60, 61, 0}));
  const QPointF still = canvas->pixelOf({60, 60, 0});
  send(QEvent::MouseButtonPress, QPointF(50, 50), Qt::MiddleButton, Qt::MiddleButton);
  send(QEvent::MouseMove, QPointF(90, 20), Qt::NoButton, Qt::MiddleButton);
  send(QEvent::MouseButtonRelease, QPointF(90, 20), Qt::MiddleButton, Qt::NoButton);
  EXPECT_NE(canvas->view().angleA(), 0);
  EXPECT_NEAR(canvas->pixelOf({60, 60, 0}).x(), still.x(), 1e-6);
  EXPECT_NEAR(canvas->pixelOf({60, 60, 0}).y(), still.y(), 1e-6);

  view->clearDisplay();
  const display::ViewTransform& v = canvas->view();
  for (const Point& t : {v.t1(), v.t2(), v.t3()}) {
    EXPECT_EQ(t.x, 0);
    EXPECT_EQ(t.y, 0);
    EXPECT_EQ(t.z, 0);
  }
  EXPECT_EQ(v.angleA(), 0);
  EXPECT_EQ(view->moveList(), nullptr);
  EXPECT_FALSE(view->isVisible());
}

TEST_F(GraphicsViewTest, EscapeAndClosingTheWindowAskForClear) {
  showSample();
  QSignalSpy clear(view.get(), &GraphicsView::clearRequested);
  QTest::keyClick(canvas, Qt::Key_Escape);
  EXPECT_EQ(clear.count(), 1);
  view->close();
  EXPECT_EQ(clear.count(), 2);
}

TEST_F(GraphicsViewTest, ClearTheLabelsEmptiesThemUntilTheNextDisplay) {
  showSample();
  const std::shared_ptr<const display::MoveList> list = [&] {
    auto l = std::make_shared<display::MoveList>(*view->moveList());
    return l;
  }();
  // The label "F500" is written to the right of and above (60, 60).
  const QPointF p = canvas->pixelOf({60, 60, 0});
  const QRect label(static_cast<int>(p.x()) + 4, static_cast<int>(p.y()) - 16, 30, 12);
  const auto lit = [&](const QImage& image) {
    int count = 0;
    for (int y = label.top(); y <= label.bottom(); ++y) {
      for (int x = label.left(); x <= label.right(); ++x) count += qGray(image.pixel(x, y)) > 60;
    }
    return count;
  };
  EXPECT_GT(lit(picture()), 5);
  view->clearLabels();
  EXPECT_EQ(lit(picture()), 0);
  view->setMoveList(list);
  EXPECT_GT(lit(picture()), 5);
}

TEST_F(GraphicsViewTest, SubPixelMovesLookAsOneMove) {
  // A line of ten thousand moves and the same line as one move; then a zigzag within a pixel.
  const auto draw = [&](int pieces, double wobble) {
    auto list = std::make_shared<display::MoveList>();
    display::ToolpathBuilder builder(*list, 0.01, {});
    builder.start();
    builder.addLinear(LinearMotion::Rapid, {-50, -20.3, 0});
    for (int i = 1; i <= pieces; ++i) {
      const double y = -20.3 + (i % 2 == 1 && i < pieces ? wobble : 0);
      builder.addLinear(LinearMotion::Feed, {-50 + 100.0 * i / pieces, y, 0});
    }
    view->setMoveList(list);
    return picture();
  };
  const QImage one = draw(1, 0);
  for (const double wobble : {0.0, 0.05}) {
    const QImage many = draw(10000, wobble);
    int different = 0;
    for (int y = 0; y < one.height(); ++y) {
      for (int x = 0; x < one.width(); ++x) {
        different += std::abs(qGreen(one.pixel(x, y)) - qGreen(many.pixel(x, y))) > 96;
      }
    }
    EXPECT_LE(different, 4) << "wobble " << wobble;
  }
}

TEST_F(GraphicsViewTest, Screenshot) {
  auto list = std::make_shared<display::MoveList>();
  display::ToolpathBuilder builder(*list, 0.01, {0xFFFFFF, 0x00FF00, 0xFFFF00, 0xFF00FF, 0x808080});
  builder.start();
  builder.beginStatement("PARTNO PLATE");
  builder.addPartName("PLATE");
  builder.addLinear(LinearMotion::Rapid, {30, 0, 20});
  builder.appendInfo("T1 M6");
  builder.addLinear(LinearMotion::Feed, {30, 0, 0});
  builder.addArc({{30, 0, 0}, {30, 0, -15}, {0, 0, 0}, {0, 0, 1}, false}, 3);  // a helix
  builder.addLinear(LinearMotion::Rapid, {-40, -40, 20});
  const display::CycleHole drill{2, 20, -12, 0};
  for (int i = 0; i < 5; ++i) {
    builder.addCycleHole({-40 + 20.0 * i, -40, 0}, drill, i == 0 ? 81 : -1);
  }
  builder.finish();
  view->setMoveList(list);
  view->showStandardView(display::StandardView::Isometric);
  QApplication::processEvents();
  QDir().mkpath(ORDALIS_SCREENSHOT_DIR);
  EXPECT_TRUE(view->grab().save(QString(ORDALIS_SCREENSHOT_DIR) + "/display_builder.png"));
}

}  // namespace
}  // namespace ordalis::ui::test
