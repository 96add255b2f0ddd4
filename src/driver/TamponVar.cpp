#include "TamponVar.h"

TTamponVar::TTamponVar() : m_slots(SlotCount, 0) {}

void TTamponVar::raise(const TNotifyEvent& event)
{
    if (event)
        event(this);
}

void TTamponVar::setVideAndNotify(bool vide)
{
    m_vide = vide;
    raise(ONTableauViderchange);
}

void TTamponVar::setAjout(std::int32_t value)
{
    if (m_write >= WrapIndex) {
        m_maxWrite = WrapIndex;
        raise(ONMAX_Pointeur_Writechange);
        m_write = 1;
        m_slots[0] = value;
    } else {
        ++m_write;
        m_slots[m_write - 1] = value;
    }
    raise(ONPointeur_Writechange);
    setVideAndNotify(false);
}

std::int32_t TTamponVar::ExtraitReadOnly()
{
    if (m_vide)
        return 0;

    const std::int32_t value = m_slots[m_read];
    raise(ONPointeur_Readchange);
    // m_write is at least 1 here: Vide only becomes false through an append.
    if (m_read == m_write - 1)
        setVideAndNotify(true);
    if (m_read + 1 >= WrapIndex) {
        m_maxRead = WrapIndex;
        raise(ONMAX_Pointeur_Readchange);
        m_read = 0;
    } else {
        ++m_read;
    }
    return value;
}
