#pragma once

#include <QMap>
#include <QString>

// The location of each exam room by room number, as the current area's room table gives it
// (frmMain::LoadRoomPlaces fills the one instance, gRoomPlaces).
//
// Read it as gRoomPlaces.value(room) or gRoomPlaces[room]: a number between Lower() and Upper()
// that no room carries, and any number outside them, reads as "". Lower() and Upper() are the
// smallest and largest room numbers of the table (both 0 when it has no rooms).
class RoomPlaces {
public:
    void Clear() { m_places.clear(); }
    void Set(int room, const QString &place) { m_places.insert(room, place); }

    QString value(int room) const { return m_places.value(room); }
    QString operator[](int room) const { return value(room); }

    bool IsEmpty() const { return m_places.isEmpty(); }
    int Lower() const { return m_places.isEmpty() ? 0 : m_places.firstKey(); }
    int Upper() const { return m_places.isEmpty() ? 0 : m_places.lastKey(); }

private:
    // Only the rooms the table carries: the numbers in between read as "" without being
    // stored, so a stray room number of 1,000,000 costs nothing.
    QMap<int, QString> m_places;
};
