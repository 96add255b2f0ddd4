#pragma once
// The debug console's menu bar ("Transfert", "Force Connect", "Options...") and its two context
// menus, the received log's and the variable list's. Actions only: the console connects them to
// what they do.

#include <QObject>

class QAction;
class QMainWindow;
class QMenu;

namespace tesso
{

class ConsoleMenus : public QObject
{
    Q_OBJECT

  public:
    explicit ConsoleMenus(QMainWindow* window);

    QMenu* TransferMenu = nullptr;
    QAction* SendTextFile = nullptr;
    QAction* ForceConnect = nullptr; // checkable
    // The sending mode: direct or on Enter (one of the two is checked), with or without the CR.
    QAction* SendDirect = nullptr;
    QAction* SendOnCarriageReturn = nullptr;
    QAction* TransmitCarriageReturn = nullptr;

    QMenu* LogMenu = nullptr;
    QAction* ShowCalculator = nullptr;
    QAction* ClearLog = nullptr;
    QAction* SaveLog = nullptr;
    QAction* SaveLogAs = nullptr;

    QMenu* ListMenu = nullptr;
    QAction* CheckAll = nullptr;
    QAction* UncheckAll = nullptr;
};

} // namespace tesso
