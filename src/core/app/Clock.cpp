#include "core/app/Clock.h"

namespace QuarnClock {

namespace {
Source& LocalSourceRef() {
  static Source s;
  return s;
}
Source& EBaySourceRef() {
  static Source s;
  return s;
}
}  // namespace

QDateTime LocalNow() {
  const Source& s = LocalSourceRef();
  return s ? s() : QDateTime::currentDateTime();
}

void SetLocalSource(Source source) {
  LocalSourceRef() = std::move(source);
}

QDateTime EBayNow() {
  const Source& s = EBaySourceRef();
  return s ? s() : QDateTime();
}

void SetEBaySource(Source source) {
  EBaySourceRef() = std::move(source);
}

QDateTime NowEBayOrLocal() {
  const QDateTime ebay = EBayNow();
  return ebay.isValid() ? ebay : LocalNow();
}

}  // namespace QuarnClock
