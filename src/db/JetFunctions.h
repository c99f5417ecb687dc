#pragma once

struct sqlite3;

namespace db {

// Jet's text and number functions that the program's SQL calls, registered on a connection
// under their Jet names: Val, Len, Mid, Left, Right, Trim, LTrim, RTrim, Str, CStr, Int.
// Each turns numbers into text the classic way (VbText), so Len(305.0) is 3 as it was in Jet.
// A Null argument gives Null. Left and Right are registered as JetLeft and JetRight, the
// names JetSql gives them, and the `&` operator as JetConcat (see Concatenation).
class JetFunctions {
public:
    // Raises db::Error when SQLite refuses a registration.
    static void Register(sqlite3 *handle);
};

} // namespace db
