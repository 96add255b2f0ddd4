#include "SerialPortItems.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

#include <algorithm>

#include "MainMenus.h"
#include "SerialPortScanner.h"
#include "TextFormat.h"

namespace tesso
{

SerialPortItems::SerialPortItems(MainMenus& menus, QObject* parent) : QObject(parent), m_menus(menus)
{
    connect(m_menus.SerialPorts, &SerialPortScanner::portsChanged, this, &SerialPortItems::refresh);
    connect(m_menus.MenuSerialPort, &QMenu::aboutToShow, m_menus.SerialPorts, &SerialPortScanner::rescan);
}

QAction* SerialPortItems::makeItem(const QString& path)
{
    auto* action = new QAction(this);
    action->setObjectName(QStringLiteral("MenuSerialDevice"));
    action->setData(path);
    action->setCheckable(true);
    m_menus.SerialPortGroup->addAction(action);
    m_menus.MenuSerialPort->insertAction(m_menus.MenuSerialDevicesEnd, action);
    connect(action, &QAction::triggered, this, [this, path] { emit chosen(path); });
    m_items << action;
    return action;
}

QAction* SerialPortItems::itemFor(const QString& path)
{
    for (QAction* action : m_items)
        if (action->data().toString() == path)
            return action;
    QAction* action = makeItem(path);
    action->setText(TextFormat::AsCaption(path));
    action->setStatusTip(path);
    action->setToolTip(path);
    m_menus.MenuNoSerialDevice->setVisible(false);
    return action;
}

void SerialPortItems::refresh()
{
    const QList<SerialPortScanner::Port>& ports = m_menus.SerialPorts->ports();
    QList<QAction*> kept;
    for (QAction* action : m_items) {
        const QString path = action->data().toString();
        const bool present = std::any_of(ports.begin(), ports.end(),
                                         [&](const SerialPortScanner::Port& p) { return p.path == path; });
        if (present || action->isChecked()) {
            kept << action;
            m_menus.MenuSerialPort->removeAction(action); // put back below in the scanner's order
        } else {
            delete action;
        }
    }
    m_items.clear();
    for (const SerialPortScanner::Port& port : ports) {
        auto it = std::find_if(kept.begin(), kept.end(),
                               [&](QAction* a) { return a->data().toString() == port.path; });
        QAction* action = it == kept.end() ? nullptr : *it;
        if (action) {
            kept.erase(it);
            m_menus.MenuSerialPort->insertAction(m_menus.MenuSerialDevicesEnd, action);
            m_items << action;
        } else {
            action = makeItem(port.path);
        }
        action->setText(port.caption());
        const QString where = port.systemLocation == port.path
                                  ? port.path
                                  : port.path + QStringLiteral(" = ") + port.systemLocation;
        action->setStatusTip(where);
        action->setToolTip(where);
    }
    // The port in force, gone from the computer: still named, last.
    for (QAction* action : kept) {
        m_menus.MenuSerialPort->insertAction(m_menus.MenuSerialDevicesEnd, action);
        m_items << action;
    }
    m_menus.MenuNoSerialDevice->setVisible(m_items.isEmpty());
}

} // namespace tesso
