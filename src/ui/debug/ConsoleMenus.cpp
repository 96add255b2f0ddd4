#include "ConsoleMenus.h"

#include <QAction>
#include <QActionGroup>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

#include "DebugTexts.h"

namespace tesso
{

ConsoleMenus::ConsoleMenus(QMainWindow* window) : QObject(window)
{
    QMenuBar* bar = window->menuBar();
    TransferMenu = bar->addMenu(QString(DebugTexts::MenuTransfer));
    SendTextFile = TransferMenu->addAction(QString(DebugTexts::SendTextFile));
    QMenu* force = bar->addMenu(QString(DebugTexts::ForceConnect));
    ForceConnect = force->addAction(QString(DebugTexts::ForceConnect));
    ForceConnect->setCheckable(true);
    QMenu* options = bar->addMenu(QString(DebugTexts::MenuOptions));
    auto* sending = new QActionGroup(this);
    SendDirect = options->addAction(QString(DebugTexts::SendDirect));
    SendOnCarriageReturn = options->addAction(QString(DebugTexts::SendOnCR));
    for (QAction* a : {SendDirect, SendOnCarriageReturn}) {
        a->setCheckable(true);
        sending->addAction(a);
    }
    SendOnCarriageReturn->setChecked(true);
    options->addSeparator();
    TransmitCarriageReturn = options->addAction(QString(DebugTexts::TransmissionCR));
    TransmitCarriageReturn->setCheckable(true);

    LogMenu = new QMenu(window);
    ShowCalculator = LogMenu->addAction(QString(DebugTexts::Calculator));
    LogMenu->addSeparator();
    ClearLog = LogMenu->addAction(QString(DebugTexts::AllClear));
    LogMenu->addSeparator();
    SaveLog = LogMenu->addAction(QString(DebugTexts::Save));
    SaveLogAs = LogMenu->addAction(QString(DebugTexts::SaveAs));

    ListMenu = new QMenu(window);
    CheckAll = ListMenu->addAction(QString(DebugTexts::AllChecked));
    UncheckAll = ListMenu->addAction(QString(DebugTexts::AllUnChecked));
}

} // namespace tesso
