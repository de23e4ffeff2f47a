#pragma once
// The pieces of answer marking that need no session: reading typed numbers and the
// decimal verdict.
#include <QChar>
#include <QString>

namespace velmora {

// Puts the pupil's separator in place: with separator "." the first "," becomes "."
// and with "," the first "." becomes ",". Returns the corrected text.
QString NormaliseDecimalSeparator(const QString& text, QChar separator);
// Reads a decimal number written with the given separator (spaces around it allowed,
// an exponent allowed). Rejects anything else, NaN, infinities and absurd magnitudes.
bool ParseDecimal(const QString& text, QChar separator, double& value);
// A decimal answer is right within the tolerance, and also whenever it is the expected
// value correctly rounded to the shown number of decimals (a tie may go either way).
bool DecimalAnswerRight(double given, double expected, double tolerance, int decimals);
// The nine praise texts, by ExercisesDone mod 9.
QString PraiseText(int exercisesDone);

}  // namespace velmora
