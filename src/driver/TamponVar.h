#pragma once
// TTamponVar: first-in first-out queue of pending integer values. The main window keeps one per
// slider whose value it sends while the user drags: values produced faster than the device answers
// wait here and go out one per reply.
//
// Storage is a fixed ring of 65536 slots of which 0 to 65534 are used; both indices wrap after slot
// 65534 and record the wrap in MAX_pointeur_Write / MAX_pointeur_Read. The queue holds at most 65535
// pending values: appending more overwrites the oldest unread ones without notice.
//
// Every index change and every assignment of Vide raises its event, in the order documented on
// setAjout() and ExtraitReadOnly().

#include <cstdint>
#include <functional>
#include <vector>

class TTamponVar
{
  public:
    using TNotifyEvent = std::function<void(TTamponVar* Sender)>;

    static constexpr std::uint32_t SlotCount = 65536;
    // The index value at which both indices wrap to slot 0.
    static constexpr std::uint32_t WrapIndex = 65535;

    TTamponVar();
    TTamponVar(const TTamponVar&) = delete;
    TTamponVar& operator=(const TTamponVar&) = delete;

    // Appends value (the write-only property Ajout). Order of effects:
    // 1. at the wrap: MAX_pointeur_Write := 65535, ONMAX_Pointeur_Writechange, value goes to slot 0
    //    and Pointeur_Write := 1; otherwise the value goes to slot Pointeur_Write and the index
    //    increases by 1;
    // 2. ONPointeur_Writechange;
    // 3. Vide := false and ONTableauViderchange (raised even when Vide was already false).
    void setAjout(std::int32_t value);

    // Removes and returns the oldest value. Order of effects: the value of slot Pointeur_Read is
    // taken; ONPointeur_Readchange (the index has not moved yet); when that slot is the last one
    // written, Vide := true and ONTableauViderchange; then the read index advances (at the wrap:
    // MAX_pointeur_Read := 65535, ONMAX_Pointeur_Readchange, Pointeur_Read := 0).
    //
    // While Vide is true it returns 0 and changes nothing: no index moves and no event is raised, so
    // a caller that forgot to test Vide cannot push the read index past the write index and corrupt
    // the queue.
    std::int32_t ExtraitReadOnly();

    // True when there is nothing to read; true at creation. Read-only: assigning it has no effect,
    // so no setter is offered.
    bool Vide() const { return m_vide; }

    // One more than the slot last written; 0 at creation, then 1 to 65535.
    std::uint32_t Pointeur_Write() const { return m_write; }
    // The next slot to read; 0 at creation.
    std::uint32_t Pointeur_Read() const { return m_read; }
    // The index value recorded when the write or read index last wrapped; 0 until then.
    std::uint32_t MAX_pointeur_Write() const { return m_maxWrite; }
    std::uint32_t MAX_pointeur_Read() const { return m_maxRead; }

    // Events, each taking only the sender. Unbound events are skipped.
    TNotifyEvent ONTableauViderchange;
    TNotifyEvent ONPointeur_Readchange;
    TNotifyEvent ONPointeur_Writechange;
    TNotifyEvent ONMAX_Pointeur_Readchange;
    TNotifyEvent ONMAX_Pointeur_Writechange;

  private:
    void raise(const TNotifyEvent& event);
    void setVideAndNotify(bool vide);

    std::vector<std::int32_t> m_slots;
    std::uint32_t m_write = 0;
    std::uint32_t m_read = 0;
    std::uint32_t m_maxWrite = 0;
    std::uint32_t m_maxRead = 0;
    bool m_vide = true;
};
