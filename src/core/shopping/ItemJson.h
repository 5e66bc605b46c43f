#pragma once

#include <QJsonObject>

class TSimpleItem;

// A listing as JSON, for the command line and for scripts: every field of
// TSimpleItem under its own name, prices as decimal text ("12.5"), times as
// ISO text in UTC (null when not set), enumerations by their eBay text.
namespace ItemJson {

QJsonObject ToJson(const TSimpleItem& item);

}  // namespace ItemJson
