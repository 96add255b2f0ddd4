#pragma once
// The main window's status bar: four panels at least 182, 200, 370 and 50 pixels wide, wider
// where the font needs it. Panel 0 shows
// whether the device answers (an image and a text that blinks while it does not), panel 1 the
// link, panel 2 the storing notice and, at its right end while the device is shared, the number
// of connected programs; the last panel is free space for the audio indicator. The bar paints its
// panels itself; an invisible child over each of the first three (and over the client count)
// carries its text as the accessible name, so that assistive technology can read it.

#include <array>
#include <functional>
#include <optional>

#include <QPixmap>
#include <QString>
#include <QWidget>

#include "DeviceDriver.h"

class QPainter;

namespace tesso
{

struct StatusBarState {
    bool Connected = false;
    int BlinkPhase = 0;
    QString LinkText;
    bool Storing = false;
    std::optional<int> Clients; // programs connected to the hub; nothing while it is off
};

class MainStatusBar : public QWidget
{
    Q_OBJECT

  public:
    static constexpr std::array<int, 4> PanelWidths{{182, 200, 370, 50}};
    static constexpr int BarHeight = 19;

    explicit MainStatusBar(QWidget* parent = nullptr);

    // Asked for at every repaint.
    std::function<StatusBarState()> StateProvider;
    // Draws into the free last panel (the audio indicator); optional.
    std::function<void(QPainter& painter, const QRect& bar)> DrawExtra;

    // Repaints the bar and brings the panels' accessible names up to date.
    void Refresh();

    QRect PanelRect(int panel) const;
    // The child over a drawn panel (0..2) that carries its accessible name.
    QWidget* AccessiblePanel(int panel) const { return m_accessible.at(static_cast<std::size_t>(panel)); }
    int PanelWidth(int panel) const { return m_widths.at(static_cast<std::size_t>(panel)); }
    QSize minimumSizeHint() const override;
    QSize sizeHint() const override { return minimumSizeHint(); }
    // Connection image list: 0 not connected, 1 connected.
    const QPixmap& ConnectionImage(bool connected) const { return m_images[connected ? 1 : 0]; }

    StatusBarState State() const;
    QString PanelText(int panel) const;
    // "Clients : N" while the device is shared, else empty.
    QString ClientsText() const;
    QWidget* AccessibleClients() const { return m_accessibleClients; }
    // The colour of panel 0's text for a state: the normal text colour when connected, else the
    // normal text colour and red in turn with the blink phase.
    QColor ConnectionTextColour(const StatusBarState& state) const;

    // Link text of panel 1. A serial port name loses every "\" and "." (\\.\COM3 shows as COM3).
    static QString LinkText(LinkType type, const QString& portName, const QString& remoteAddress,
                            const QString& remotePort);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    // The panels' widths and the bar's height for the font.
    void fitToFont();
    void drawConnection(QPainter& painter, const QRect& rect, const StatusBarState& state) const;
    void drawLink(QPainter& painter, const QRect& rect, const StatusBarState& state) const;
    void drawStoring(QPainter& painter, const QRect& rect, const StatusBarState& state) const;
    void drawClients(QPainter& painter, const QRect& rect, int clients) const;
    QRect clientsRect() const;

    std::array<QPixmap, 2> m_images;
    std::array<int, 4> m_widths = PanelWidths;
    std::array<QWidget*, 3> m_accessible{};
    QWidget* m_accessibleClients = nullptr;
};

} // namespace tesso
