#pragma once
// BindingTable: ties a page's controls to device variables by its binding rows. For every row
// it shows each report of the variable in the control with the control's signals blocked, and
// sends a command only from a user action (activated, clicked, triggered, a scroll action,
// Enter), never from a programmatic change: showing a whole query-all dump sends nothing back.
// Controls with irregular behaviour keep handlers of their own beside the table.

#include <deque>
#include <initializer_list>
#include <memory>

#include <QObject>
#include <QPointer>

#include "BindingRow.h"
#include "EventRouter.h"

class QAction;

namespace tesso
{

class BindingTable
{
  public:
    explicit BindingTable(EventRouter& router);
    ~BindingTable();
    BindingTable(const BindingTable&) = delete;
    BindingTable& operator=(const BindingTable&) = delete;

    // Connects the rows' controls and subscribes to their variables. A control keeps its design
    // value until the device reports its variable.
    void Bind(std::initializer_list<BindingRow> rows);
    void Bind(const BindingRow& row);
    // Shows again what the device last reported, in every row that has had a report (after a
    // list's entries were replaced, say).
    void ShowAll();

  private:
    struct Row {
        BindingRow binding;
        QPointer<QObject> control;
        Subscription subscription;
        bool everReported = false;
        QPointer<QAction> shownAction; // a menu group's item that shows the last report
    };
    void connectUserAction(Row& row);
    void reported(Row& row, std::uint32_t value);
    void show(Row& row, std::uint32_t value);
    void send(const Row& row, std::uint32_t value);
    void sendPosition(const Row& row, int position);
    void enterTyped(const Row& row);
    void toggle(Row& row);
    std::uint32_t mirrored(const Row& row, int input) const;

    EventRouter& m_router;
    std::deque<Row> m_rows;             // stable addresses: handlers hold their row
    std::unique_ptr<QObject> m_context; // receiver of the controls' signals, gone with the table
};

} // namespace tesso
