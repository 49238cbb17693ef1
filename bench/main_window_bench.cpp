// make bench: the real main window, offscreen. Opening a large APT file, the text road with its
// colouring, and the file road: until the file is written, and until it is shown in the ISO pane.
//   bench_main_window SETTINGS.ini BIG.apt STATEMENTS SMALL.apt STATEMENTS OUT.nc POST_SECONDS
#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "core/app/settings.h"
#include "ui/app/main_window.h"
#include "ui/common/dialogs.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) {
  return std::chrono::duration<double>(Clock::now() - since).count();
}

/// Nobody to ask: every question is answered so that the work goes on.
class SilentDialogs : public ordalis::ui::Dialogs {
 public:
  void inform(QWidget*, const QString&) override {}
  SaveChoice askToSave(QWidget*, const QString&) override { return SaveChoice::kDiscard; }
  QString chooseOpenPath(QWidget*, const QString&, const QString&, const QString&) override {
    return {};
  }
  QString chooseSavePath(QWidget*, const QString&, const QString&, const QString&) override {
    return {};
  }
};

/// Runs the event loop until the run is over, as the window's user waits for it: idle between
/// events, so the worker has the processor.
void WaitForRun(ordalis::ui::MainWindow& window) {
  QEventLoop loop;
  window.setRunFinishedHandler([&loop] { loop.quit(); });
  if (window.workspace().running()) loop.exec();
  window.setRunFinishedHandler(nullptr);
  QCoreApplication::processEvents();
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  if (argc < 8) {
    std::fprintf(stderr, "usage: bench_main_window INI BIG.apt N SMALL.apt N OUT.nc POST_S\n");
    return 2;
  }
  const std::string big = argv[2], small = argv[4], out = argv[6];
  const long bigCount = std::atol(argv[3]), smallCount = std::atol(argv[5]);
  SilentDialogs dialogs;
  ordalis::ui::MainWindow window(dialogs, ordalis::app::ExecutableFolder());
  window.start(argv[1]);
  window.resize(1280, 820);
  window.show();
  QCoreApplication::processEvents();

  auto began = Clock::now();
  if (!window.workspace().openAptFile(big)) return 1;
  QCoreApplication::processEvents();
  std::printf("gui open: %ld lines, %.2f s\n", bigCount, Seconds(began));

  if (!window.workspace().openAptFile(small)) return 1;
  began = Clock::now();
  window.workspace().convertFromText();
  WaitForRun(window);
  const double text = Seconds(began);
  std::printf("gui text road: %ld statements, %.2f s, %.0f statements/s\n", smallCount, text,
              static_cast<double>(smallCount) / text);

  if (!window.workspace().openAptFile(big)) return 1;
  // The output is written under a temporary name and renamed: its name appears when it is done.
  // The window's thread is busy showing it right after, so another thread watches for it.
  QFile::remove(QString::fromStdString(out));
  std::atomic<double> written{0};
  std::atomic<bool> watching{true};
  began = Clock::now();
  std::thread watcher([&] {
    while (watching && !std::filesystem::exists(out)) {
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    written = Seconds(began);
  });
  window.workspace().convertDirectlyTo(out);
  WaitForRun(window);
  watching = false;
  watcher.join();
  std::printf(
      "gui file road: %ld statements, %.2f s (ordalis-post %s s); %.2f s with the ISO file shown\n",
      bigCount, written.load(), argv[7], Seconds(began));
  QFile::remove(QString::fromStdString(out));
  return 0;
}
