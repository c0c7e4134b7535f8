// How a call sign goes wrong between one station's keyboard and the other
// station's log in an RTTY contest, as a cost: the lower, the likelier.
//
// RTTY sends the 5-bit ITA2 code. Letters and figures share the codes and a
// shift character selects which is meant, so a lost or false shift turns a
// run of characters into their partners in the other case: "JA1ABC" becomes
// "JAQABC" (the digit 1 is the letter Q's code) and "599" becomes "TOO". Noise
// flips single bits, turning a character into the one whose code differs in
// one bit (E, 10000, into Z, 10001). Fades drop characters
// and noise adds them; typing from the screen swaps neighbours and hits the
// next key. Plain edit distance sees none of that: it finds "JAQABC" as far
// from "JA1ABC" as from "JA1ABD".
#pragma once

#include <QString>
#include <QStringView>
#include <functional>

namespace tovek::crosscheck {

// The two models the cross-check can search busts with.
enum class ErrorModel {
  kRtty,           // the costs below
  kEditDistance1,  // any one insertion, deletion or substitution costs 1
};

// Costs of the RTTY model, in one unit: a substitution nothing explains.
namespace rtty_cost {
inline constexpr double kShiftRun = 1.0;  // a run of characters in the wrong case
inline constexpr double kOneBit = 1.5;    // a character whose code differs in one bit
inline constexpr double kKeyboard = 2.5;  // a neighbouring key
inline constexpr double kDropped = 2.5;   // a character lost
inline constexpr double kAdded = 2.5;     // a character too many
inline constexpr double kSwapped = 2.5;   // two neighbours swapped
inline constexpr double kOther = 3.0;     // any other substitution
}  // namespace rtty_cost

// The character of the same ITA2 code in the other case ('1' for 'Q', 'Q'
// for '1', '/' for 'X'), or a null character when it has none a call holds.
QChar ShiftPartner(QChar c);

// Whether the ITA2 codes of two characters of the same case differ in one bit.
bool IsOneBitApart(QChar a, QChar b);

// The cost of copying `sent` as `copied`: the cheapest way of errors that
// turns one into the other; 0 when they are equal. With kEditDistance1 it is
// the plain edit distance.
double MiscopyCost(QStringView sent, QStringView copied, ErrorModel model);

// Calls that `copied` may have been sent as with one error of the model
// (a shift run counts as one error): every text at cost > 0 one step away.
// `visit` is called for each, possibly more than once for the same text;
// the text it is given lasts only for the call.
void ForEachOneErrorOrigin(QStringView copied, ErrorModel model,
                           const std::function<void(QStringView)>& visit);

}  // namespace tovek::crosscheck
