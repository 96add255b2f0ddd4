#pragma once
// The main window's floating hint: a small red tip window shown at the mouse pointer ("Please
// Wait", "Not available (...)"), closed when the device is ready for the next input.

#include <QLabel>

namespace tesso
{

class FloatingHint : public QLabel
{
    Q_OBJECT

  public:
    explicit FloatingHint(QWidget* parent = nullptr);

    // Shows the text with the tip's top-left corner at a screen position.
    void ShowAt(const QString& text, const QPoint& globalPosition);
};

} // namespace tesso
