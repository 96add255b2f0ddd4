#pragma once
// QuickSendButtons: the middle strip Panel_Description with the thirty quick-send buttons
// BitBtn_Description1..30. A left press sends the button's text, a right press edits its label
// and text; the strip itself is the divider between the panes, dragged with the left button.

#include <array>
#include <functional>
#include <optional>

#include <QWidget>

#include "Debug2007Ini.h"

class QPushButton;

namespace tesso
{

class QuickSendButtons : public QWidget
{
    Q_OBJECT

  public:
    static constexpr int StripWidth = 83;
    static constexpr int ButtonCount = Debug2007Ini::ButtonCount;

    struct Record {
        QPushButton* button = nullptr;
        int n = 0;
        QString Descriptor;
        QString StringToSend;
    };

    explicit QuickSendButtons(QWidget* parent = nullptr);

    const Record& record(int n) const { return m_records[static_cast<std::size_t>(n)]; }
    QPushButton* Button(int n) const { return record(n).button; }

    // From the settings file: a button with a label shows it, one without shows nothing.
    void Load(const std::array<Debug2007Ini::Button, ButtonCount>& buttons);
    std::array<Debug2007Ini::Button, ButtonCount> Saved() const;

    // Asks a text (caption, prompt, starting text); nothing when cancelled.
    std::function<std::optional<QString>(const QString&, const QString&, const QString&)> AskText;

    void pressButton(int n, Qt::MouseButton button);

  signals:
    // A left press on a button: its text to send.
    void sendRequested(const QString& text);
    // A button's label and text were edited.
    void edited();
    // The pointer moved this far with the strip held.
    void dragged(int dx);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void showRecord(const Record& r);
    static QString accessibleName(const Record& r);

    std::array<Record, ButtonCount> m_records;
    bool m_dragging = false;
    int m_dragX = 0; // global x of the pointer at the last step
};

} // namespace tesso
