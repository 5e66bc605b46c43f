#pragma once

#include <QDateTime>
#include <functional>

// The program's one clock. Local time comes from the system unless a test puts
// a fake in; the eBay clock is supplied by the eBay time request once it knows
// the official time. Countdowns, alarms and day names all ask here.
namespace QuarnClock {

using Source = std::function<QDateTime()>;

// Local time now (the system clock, or the installed fake).
QDateTime LocalNow();
void SetLocalSource(Source source);  // empty restores the system clock

// The current eBay time in local time, or an invalid date-time while none is known.
QDateTime EBayNow();
void SetEBaySource(Source source);  // empty: no eBay time known

// EBayNow() when known, else LocalNow().
QDateTime NowEBayOrLocal();

}  // namespace QuarnClock
