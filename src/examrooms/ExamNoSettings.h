#pragma once

#include <QString>

// The exam-number prefix and form of the last arrangement, as kept in the settings row
// '考号加零': the prefix is empty when the row says "buyaokc"; the form is a digit count with a
// leading blank (" 4") or "k2" for numbers built from room and seat.
extern QString gExamNoPrefix;
extern QString gExamNoForm;

// Reads the settings row '考号加零' of the current area into gExamNoPrefix and gExamNoForm.
// When the row cannot be read both keep their values.
void LoadExamNoSettings();
