#include "core/app/AppCore.h"

TAppCore& AppCore() {
  static TAppCore core;
  return core;
}
