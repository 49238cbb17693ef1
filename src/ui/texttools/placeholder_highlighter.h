#pragma once
// Colours the placeholders of a code template while the user types, through the core's placeholder
// colouring: "&(" blue, a name the engine knows green, any other name red. Only character formats
// change, so the caret and the undo history stay as the user left them.

#include <QSyntaxHighlighter>

namespace ordalis::ui {

class PlaceholderHighlighter : public QSyntaxHighlighter {
  Q_OBJECT

 public:
  explicit PlaceholderHighlighter(QTextDocument* document);

 protected:
  void highlightBlock(const QString& text) override;
};

}  // namespace ordalis::ui
