// ordalis: the desktop program. The main window comes with its own issue; until then it opens an
// empty window so the build and the Qt toolchain are exercised.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow window;
  window.setWindowTitle("Ordalis");
  window.show();
  return app.exec();
}
