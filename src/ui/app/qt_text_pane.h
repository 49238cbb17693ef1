#pragma once
// The text-pane contract over a Qt plain-text widget: the APT and ISO panes of the window. Files
// are Windows-1252 bytes; offsets count a line break as two although the widget stores one
// separator per line, and are mapped through the block structure without walking the text. A
// gutter beside the text shows line numbers and the line marks; a click there, F9 or a right
// click toggles the mark of a line.

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCharFormat>
#include <cstdint>
#include <string>

#include "core/common/text_file_format.h"
#include "core/common/text_pane.h"

namespace ordalis::ui {

class QtTextPane : public QPlainTextEdit, public common::TextPane {
  Q_OBJECT

 public:
  explicit QtTextPane(QWidget* parent = nullptr);
  ~QtTextPane() override;

  std::size_t length() const override;
  std::string text() const override;
  std::size_t selStart() const override;
  void setSelStart(std::size_t start) override;
  std::size_t selLength() const override;
  void setSelLength(std::size_t length) override;
  std::string selText() const override;
  void setSelText(std::string_view text) override;
  void setSelColor(std::uint32_t colour) override;
  void setSelUnderline(bool underline) override;
  bool selBullet() const override;
  void setSelBullet(bool bullet) override;
  void span(std::string_view charset, bool forward, bool negate) override;
  using QPlainTextEdit::find;
  std::ptrdiff_t find(std::string_view text, std::size_t start, std::size_t end, bool wholeWord,
                      bool matchCase) const override;
  std::size_t lineCount() const override;
  std::size_t lineOf(std::size_t offset) const override;
  std::size_t lineStart(std::size_t line) const override;
  std::uint32_t colourAt(std::size_t offset) const override;
  bool underlineAt(std::size_t offset) const override;
  bool lineBullet(std::size_t line) const override;
  void appendText(std::span<const common::ColouredText> pieces) override;
  void colourLines(std::span<const common::LineColour> ranges) override;
  std::vector<std::size_t> markedLines() const override;
  void setLineMark(std::size_t line, bool marked) override;
  void clear() override;
  bool load(const std::string& path) override;
  bool save(const std::string& path) const override;
  std::uint32_t background() const override { return background_; }
  void setBackground(std::uint32_t colour) override;

  /// Whether F9, a right click and a click in the gutter toggle line marks (the APT pane's way
  /// of stopping a conversion); on by default. Off, a right click opens the usual menu.
  void setLineMarking(bool enabled) { lineMarking_ = enabled; }
  /// True while the pane handles the user's typing, pasting or dropping: a change then is the
  /// user's even when it keeps the length (a character typed over a selected one).
  bool inUserInput() const { return userInput_ > 0; }
  /// The width of the gutter in pixels (line numbers and marks).
  int gutterWidth() const;

 signals:
  /// A line mark was toggled by the user (gutter, F9 or right click).
  void lineMarkToggled(int line, bool marked);
  /// The document changed at `position`: `removed` characters gave way to `added` (equal counts
  /// for a change of colour alone). A load is not reported.
  void contentsChanged(int position, int removed, int added);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void insertFromMimeData(const QMimeData* source) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  int userInput_ = 0;
  class Gutter;
  friend class Gutter;

  /// A block and the offset (breaks counting two) where it starts.
  struct Located {
    QTextBlock block;
    std::size_t start = 0;
  };
  Located locate(std::size_t offset) const;
  /// Document position of an offset, moved out of the middle of a break and into the text.
  int positionOf(std::size_t offset) const;
  std::size_t offsetOf(int position) const;
  /// The document range of a line with its break.
  QTextCursor lineCursor(const QTextBlock& block) const;
  QTextCharFormat formatAt(std::size_t offset) const;
  /// After text replaced lines from..to: the new lines but the last start unmarked, the last
  /// keeps the mark of the line that held `to`.
  void settleMarks(int firstBlock, int lastBlock, bool lastMarked);
  void setBlockMark(QTextBlock block, bool marked);
  void toggleMarkAt(const QTextBlock& block);
  void fillDocument(const QString& text, int lines);
  void watchDocument();
  void paintGutter(QPaintEvent* event);
  void updateGutter();
  int gutterWidthFor(int lines) const;
  void updateGutterWidth();
  void gutterClicked(int y);

  Gutter* gutter_;
  QTextCharFormat format_;  // what setSelText writes with
  std::uint32_t background_ = 16777215;
  common::TextFileFormat fileFormat_;
  bool lineMarking_ = true;
  // While load() fills the document, the line count it will have: the gutter is made that wide
  // at once, and no contentsChanged is sent.
  int loadingLines_ = 0;
  // The last block located: the next line is usually asked for next. Any edit forgets it.
  mutable Located cache_;
  mutable bool cacheValid_ = false;
};

}  // namespace ordalis::ui
