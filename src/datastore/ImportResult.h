#pragma once

#include <QString>

// The outcome of an import: either it went through (and `message` holds what the user should
// know about single values, or nothing), or `message` tells the user, in the program's words,
// why nothing was changed.
struct ImportResult {
    bool ok = false;
    QString message;
    // The user stopped the reading: nothing changed, and there is nothing more to say.
    bool cancelled = false;

    static ImportResult Success(const QString &notes = QString()) { return { true, notes }; }
    static ImportResult Failure(const QString &text) { return { false, text }; }
};
