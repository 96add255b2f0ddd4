#pragma once
// One parameter row of the Effect page: a label, a horizontal scroll bar and a number field, tied
// to one device variable. A paced row (the title parameters) sends through a pending-value queue:
// while the device has not answered, the positions of a drag wait and go out one per report of
// the variable, so a fast drag cannot flood the line.

#include <cstdint>
#include <deque>

#include <QObject>

#include "Catalogue.h"
#include "EventRouter.h"

class QGridLayout;
class QLabel;
class QLineEdit;
class QScrollBar;
class QWidget;

namespace tesso
{

class EffectRow : public QObject
{
    Q_OBJECT

  public:
    struct Settings {
        tVAR variable;
        QString caption;
        int initial;
        bool paced;    // through the queue (title rows) or at once (fade)
        bool editable; // Enter in the field sends the typed number; else the field shows seconds
    };

    // The label, bar and field go into columns 0, 1 and 2 of `row` in `grid`, which lays out
    // `parent`. The bar and the field are named after the caption for a screen reader.
    EffectRow(const Settings& settings, QGridLayout* grid, int row, QWidget* parent);

    QLabel* Lbl = nullptr;
    QScrollBar* ScrollBar = nullptr;
    QLineEdit* Edt = nullptr;

    void BindTo(EventRouter& router);
    void setVisible(bool visible);
    bool isHidden() const;

    // The user moved the bar to a position.
    void Scrolled(int position);
    // Enter in an editable field.
    void EnterPressed();
    // The device reported the variable.
    void Reported();
    // Forgets values waiting for the device (it was lost, or found again).
    void EmptyQueue();
    const std::deque<std::uint32_t>& Queue() const { return m_queue; }

    // The field's text for a value: the number, or tenths of a second as seconds ("2.5s").
    QString FieldText(std::uint32_t value) const;

  signals:
    // After the device's own value was shown (nothing waiting), with that value.
    void shown(quint32 value);

  private:
    void send(std::uint32_t value);

    Settings m_settings;
    EventRouter* m_router = nullptr;
    Subscription m_subscription;
    std::deque<std::uint32_t> m_queue; // positions waiting for the device's answer, oldest first
};

} // namespace tesso
