#pragma once

#include <QMap>
#include <QString>

namespace datastore {

// The location of each exam room by room number, as the current area's room table gives it
// (frmMain::LoadRoomPlaces fills the one instance, gRoomPlaces, and so does each list).
//
// Read it as gRoomPlaces.value(room) or gRoomPlaces[room]: a number between Lower() and Upper()
// that no room carries, and any number outside them, reads as "". Lower() and Upper() are the
// smallest and largest room numbers of the table (both 0 when it has no rooms).
class RoomPlaces {
public:
    // The places of the room table `roomTable`: 考场地点 of each row by its whole 考场号. A row
    // without a room number is passed over, a location without text reads "". A table that
    // cannot be read has no places.
    static RoomPlaces Read(const QString &roomTable);

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

} // namespace datastore
