#include "MainStatusBar.h"

#include <QEvent>
#include <QPainter>

#include <algorithm>

#include "GlyphImages.h"
#include "ReadableColours.h"
#include "TextFormat.h"
#include "Texts.h"

namespace tesso
{

namespace
{
// The right end of the storing panel that the client count takes.
constexpr int ClientsWidth = 86;
} // namespace

MainStatusBar::MainStatusBar(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("StatusBar"));
    m_images[0] = GlyphImages::Led(QColor(150, 30, 30), 16);
    m_images[1] = GlyphImages::Led(QColor(30, 170, 40), 16);
    const char* const names[3] = {"PanelConnection", "PanelLink", "PanelStoring"};
    for (std::size_t i = 0; i < m_accessible.size(); ++i) {
        auto* panel = new QWidget(this);
        panel->setObjectName(QLatin1String(names[i]));
        panel->setAttribute(Qt::WA_TransparentForMouseEvents);
        panel->setFocusPolicy(Qt::NoFocus);
        m_accessible[i] = panel;
    }
    m_accessibleClients = new QWidget(this);
    m_accessibleClients->setObjectName(QStringLiteral("PanelClients"));
    m_accessibleClients->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_accessibleClients->setFocusPolicy(Qt::NoFocus);
    fitToFont();
}

void MainStatusBar::fitToFont()
{
    QFont bold = font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    setFixedHeight(std::max(BarHeight, metrics.height() + 4));
    // The connection text beside its image; the longest link (a network address and port).
    const int connection =
        m_images[0].width() + 6 + metrics.horizontalAdvance(QString(Texts::DeviceNotConnected)) + 8;
    const int link = fontMetrics().horizontalAdvance(QStringLiteral("TCP (255.255.255.255:65535)")) + 8;
    m_widths = PanelWidths;
    m_widths[0] = std::max(m_widths[0], connection);
    m_widths[1] = std::max(m_widths[1], link);
    updateGeometry();
}

QSize MainStatusBar::minimumSizeHint() const
{
    int width = 0;
    for (const int panel : m_widths)
        width += panel;
    return {width, height()};
}

void MainStatusBar::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        fitToFont();
}

void MainStatusBar::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    for (std::size_t i = 0; i < m_accessible.size(); ++i)
        m_accessible[i]->setGeometry(PanelRect(static_cast<int>(i)));
    m_accessibleClients->setGeometry(clientsRect());
}

void MainStatusBar::Refresh()
{
    for (std::size_t i = 0; i < m_accessible.size(); ++i) {
        const QString text = PanelText(static_cast<int>(i));
        if (m_accessible[i]->accessibleName() != text)
            m_accessible[i]->setAccessibleName(text);
    }
    if (const QString clients = ClientsText(); m_accessibleClients->accessibleName() != clients)
        m_accessibleClients->setAccessibleName(clients);
    update();
}

QRect MainStatusBar::PanelRect(int panel) const
{
    int left = 0;
    for (int i = 0; i < panel; ++i)
        left += PanelWidth(i);
    // The last panel takes what is left of the bar.
    const int width = panel == static_cast<int>(m_widths.size()) - 1
                          ? std::max(PanelWidth(panel), this->width() - left)
                          : PanelWidth(panel);
    return QRect(left, 0, width, height());
}

StatusBarState MainStatusBar::State() const
{
    return StateProvider ? StateProvider() : StatusBarState{};
}

QString MainStatusBar::PanelText(int panel) const
{
    const StatusBarState state = State();
    switch (panel) {
    case 0:
        return QString(state.Connected ? Texts::DeviceConnected : Texts::DeviceNotConnected);
    case 1:
        return state.LinkText;
    case 2:
        return state.Storing ? QString(Texts::StoringSettings) : QString();
    default:
        return {};
    }
}

QString MainStatusBar::ClientsText() const
{
    const StatusBarState state = State();
    return state.Clients ? TextFormat::Format(Texts::StatusClientsFormat, *state.Clients) : QString();
}

QRect MainStatusBar::clientsRect() const
{
    const QRect panel = PanelRect(2);
    return QRect(panel.right() - ClientsWidth, panel.top(), ClientsWidth - 2, panel.height());
}

QColor MainStatusBar::ConnectionTextColour(const StatusBarState& state) const
{
    // The blink alternates the normal text with red, both readable on the bar's background.
    const QColor text = palette().color(QPalette::WindowText);
    if (state.Connected)
        return text;
    return state.BlinkPhase == 0 ? text : warningRed(palette().color(QPalette::Window));
}

QString MainStatusBar::LinkText(LinkType type, const QString& portName, const QString& remoteAddress,
                                const QString& remotePort)
{
    switch (type) {
    case LinkType::Udp:
        return TextFormat::Format(Texts::StatusUdpFormat, {remoteAddress, remotePort});
    case LinkType::Tcp:
        return TextFormat::Format(Texts::StatusTcpFormat, {remoteAddress, remotePort});
    case LinkType::Serial:
    default: {
        QString name = portName;
        if (!name.startsWith(u'/')) { // a path keeps its dots
            name.remove(u'\\');
            name.remove(u'.');
        }
        return TextFormat::Format(Texts::StatusPortFormat, {name});
    }
    }
}

void MainStatusBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const StatusBarState state = State();
    painter.fillRect(rect(), palette().color(QPalette::Window));
    painter.setPen(palette().color(QPalette::Mid));
    for (int panel = 0; panel < static_cast<int>(m_widths.size()); ++panel)
        painter.drawRect(PanelRect(panel).adjusted(0, 0, -2, -1));
    drawConnection(painter, PanelRect(0), state);
    drawLink(painter, PanelRect(1), state);
    // The storing notice gives way to the client count, which stays while the device is shared.
    QRect storing = PanelRect(2);
    if (state.Clients)
        storing.setRight(clientsRect().left() - 1);
    drawStoring(painter, storing, state);
    if (state.Clients)
        drawClients(painter, clientsRect(), *state.Clients);
    if (DrawExtra)
        DrawExtra(painter, rect());
}

void MainStatusBar::drawConnection(QPainter& painter, const QRect& rect, const StatusBarState& state) const
{
    const QPixmap& image = ConnectionImage(state.Connected);
    painter.drawPixmap(rect.left() + 1, rect.top(), image);
    QFont font = this->font();
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(ConnectionTextColour(state));
    const QRect textRect(rect.left() + image.width() + 6, rect.top() + 1, rect.width() - image.width() - 8,
                         rect.height() - 1);
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter, PanelText(0));
}

void MainStatusBar::drawLink(QPainter& painter, const QRect& rect, const StatusBarState& state) const
{
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(rect.adjusted(2, 0, -4, 0), Qt::AlignLeft | Qt::AlignVCenter, state.LinkText);
}

void MainStatusBar::drawStoring(QPainter& painter, const QRect& rect, const StatusBarState& state) const
{
    if (!state.Storing)
        return;
    QFont font = this->font();
    font.setBold(true);
    font.setItalic(true);
    painter.setFont(font);
    painter.setPen(palette().color(QPalette::WindowText));
    const QRect text = rect.adjusted(2, 0, -4, 0);
    painter.drawText(
        text, Qt::AlignLeft | Qt::AlignVCenter,
        painter.fontMetrics().elidedText(QString(Texts::StoringSettings), Qt::ElideRight, text.width()));
}

void MainStatusBar::drawClients(QPainter& painter, const QRect& rect, int clients) const
{
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(rect.adjusted(2, 0, -4, 0), Qt::AlignRight | Qt::AlignVCenter,
                     TextFormat::Format(Texts::StatusClientsFormat, clients));
}

} // namespace tesso
