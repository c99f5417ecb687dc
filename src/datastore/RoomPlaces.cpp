#include "datastore/RoomPlaces.h"

#include "datastore/ArrangementTables.h"
#include "datastore/RoomNumber.h"
#include "db/Error.h"

namespace datastore {

RoomPlaces RoomPlaces::Read(const QString &roomTable)
{
    RoomPlaces places;
    try {
        for (const ArrangementTables::Room &room : ArrangementTables::Rooms(roomTable))
            if (const std::optional<int> number = RoomNumber(room.number))
                places.Set(*number, room.place);
    } catch (const db::Error &) {
    }
    return places;
}

} // namespace datastore
