#pragma once

#include <QString>

// The distance of a listing from the buyer's postal code.
struct TDistance {
  double Value = 0;
  QString Unit;  // the "unit" attribute as eBay sends it

  bool operator==(const TDistance&) const = default;
};
