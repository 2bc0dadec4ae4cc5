#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace tasks {

// A number as the user or a script writes it: optional spaces, an optional "+" or "-", digits
// with at most one ".", at least one digit, optional spaces. No exponent, no separators.
// Returns nothing for any other text and for values beyond the range of a double.
std::optional<double> parseNumber(QStringView text);

// The shortest decimal text that reads back to the same value, never with an exponent:
// "13", "1.5", "0.25". Negative zero is written "0".
QString numberText(double value);
void appendNumberText(QString &out, double value);

} // namespace tasks
