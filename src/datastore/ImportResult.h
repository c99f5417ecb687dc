#pragma once

#include <QString>

// The outcome of an import: either it went through, or `message` tells the user, in the
// program's words, why nothing was changed.
struct ImportResult {
    bool ok = false;
    QString message;

    static ImportResult Success() { return { true, QString() }; }
    static ImportResult Failure(const QString &text) { return { false, text }; }
};
