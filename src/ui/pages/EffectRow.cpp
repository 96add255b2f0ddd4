#include "EffectRow.h"

#include <algorithm>

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QScrollBar>
#include <QSignalBlocker>

#include "ErrorReport.h"
#include "NumberText.h"
#include "TextFormat.h"
#include "Texts.h"

namespace tesso
{

EffectRow::EffectRow(const Settings& settings, QGridLayout* grid, int row, QWidget* parent)
    : QObject(parent), m_settings(settings)
{
    Lbl = new QLabel(settings.caption, parent);
    ScrollBar = new QScrollBar(Qt::Horizontal, parent);
    const tesso::ValueRange range = tesso::variableRange(settings.variable);
    ScrollBar->setRange(static_cast<int>(range.minimum),
                        static_cast<int>(std::min<std::uint32_t>(range.maximum, INT32_MAX)));
    ScrollBar->setPageStep(10);
    ScrollBar->setValue(settings.initial);
    ScrollBar->setMinimumWidth(ScrollBar->sizeHint().height() * 10);
    Edt = new QLineEdit(parent);
    Edt->setReadOnly(!settings.editable);
    if (!settings.editable)
        Edt->setFrame(false);
    // Room for five digits, or seconds with a tenth.
    Edt->setFixedWidth(Edt->fontMetrics().horizontalAdvance(QStringLiteral("88888")) + 16);

    QString name = settings.caption;
    if (name.endsWith(QLatin1Char(':')))
        name.chop(1);
    ScrollBar->setAccessibleName(name);
    Edt->setAccessibleName(name + QStringLiteral(" value"));
    grid->addWidget(Lbl, row, 0);
    grid->addWidget(ScrollBar, row, 1);
    grid->addWidget(Edt, row, 2);

    // Only the user's moves: a position set from the device raises no action.
    connect(ScrollBar, &QAbstractSlider::actionTriggered, this,
            [this] { tesso::guarded([this] { Scrolled(ScrollBar->sliderPosition()); }); });
    if (settings.editable)
        connect(Edt, &QLineEdit::returnPressed, this, [this] { tesso::guarded([this] { EnterPressed(); }); });
}

void EffectRow::BindTo(EventRouter& router)
{
    m_router = &router;
    m_subscription = router.subscribe(m_settings.variable, [this] { Reported(); });
}

void EffectRow::setVisible(bool visible)
{
    Lbl->setVisible(visible);
    ScrollBar->setVisible(visible);
    Edt->setVisible(visible);
}

bool EffectRow::isHidden() const
{
    return ScrollBar->isHidden();
}

QString EffectRow::FieldText(std::uint32_t value) const
{
    if (m_settings.editable)
        return QString::number(value);
    return TextFormat::Format(Texts::SecondsFormat,
                              {QLocale().toString(value / 10.0, 'g', QLocale::FloatingPointShortest)});
}

void EffectRow::send(std::uint32_t value)
{
    if (DeviceDriver* driver = m_router ? m_router->driver() : nullptr)
        driver->setVariable(m_settings.variable, value);
}

void EffectRow::Scrolled(int position)
{
    const auto value = static_cast<std::uint32_t>(std::max(position, 0));
    if (!m_settings.paced)
        return send(value);
    if (m_queue.empty())
        send(value);
    m_queue.push_back(value);
}

void EffectRow::EnterPressed()
{
    const QString text = Edt->text();
    const QByteArray bytes = text.trimmed().toLatin1();
    const std::optional<std::int32_t> typed =
        tesso::scanInt32(bytes.constData(), bytes.constData() + bytes.size());
    if (!typed)
        return tesso::reportError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    // Refused before the bar moves: the bar would show a value nobody sends.
    if (*typed < 0)
        return tesso::reportError(TextFormat::Format(Texts::NotANegativeNumber, {text}));
    {
        const QSignalBlocker blocker(ScrollBar);
        ScrollBar->setValue(*typed);
    }
    // The bar's range (for the band, the room TITLEMAXY leaves) limits what is sent.
    Scrolled(ScrollBar->value());
}

void EffectRow::Reported()
{
    const DeviceDriver* driver = m_router ? m_router->driver() : nullptr;
    if (!driver)
        return;
    if (m_settings.paced && !m_queue.empty()) {
        const std::uint32_t waiting = m_queue.front();
        m_queue.pop_front();
        send(waiting);
        Edt->setText(FieldText(waiting));
        return;
    }
    const std::uint32_t value = driver->mirrorValue(m_settings.variable);
    {
        const QSignalBlocker blocker(ScrollBar);
        ScrollBar->setValue(static_cast<int>(std::min<std::uint32_t>(value, INT32_MAX)));
    }
    Edt->setText(FieldText(value));
    emit shown(value);
}

void EffectRow::EmptyQueue()
{
    m_queue.clear();
}

} // namespace tesso
