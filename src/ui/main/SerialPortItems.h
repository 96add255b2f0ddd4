#pragma once
// The serial-port menu's items for the ports present (from SerialPortScanner), kept in step with
// the scanner: an adapter plugged in gets its item, one pulled out loses it, unless it is the
// port in force, which keeps its item (and its check mark) so that the menu still says what the
// link uses. The list is read again each time the menu opens.

#include <QList>
#include <QObject>
#include <QString>

class QAction;

namespace tesso
{

class MainMenus;

class SerialPortItems : public QObject
{
    Q_OBJECT

  public:
    explicit SerialPortItems(MainMenus& menus, QObject* parent = nullptr);

    // The item of a device path; made, captioned with the path, when the scanner does not list it.
    QAction* itemFor(const QString& path);
    const QList<QAction*>& items() const { return m_items; }

  signals:
    // The user chose the item of this device path.
    void chosen(const QString& path);

  private:
    void refresh();
    QAction* makeItem(const QString& path);

    MainMenus& m_menus;
    QList<QAction*> m_items; // in menu order; data() holds the device path
};

} // namespace tesso
