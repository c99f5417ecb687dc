#pragma once

#include <QString>
#include <stdexcept>

namespace db {

// Raised by every database operation that fails; carries SQLite's own message and, when
// SQLite raised it, its result code (SQLITE_FULL, SQLITE_BUSY, ...; 0 otherwise), from which
// the data store tells the user in their words what happened.
class Error : public std::runtime_error {
public:
    explicit Error(const QString &message, int code = 0)
        : std::runtime_error(message.toStdString())
        , m_message(message)
        , m_code(code)
    {
    }
    QString message() const { return m_message; }
    int code() const { return m_code; }

private:
    QString m_message;
    int m_code = 0;
};

} // namespace db
