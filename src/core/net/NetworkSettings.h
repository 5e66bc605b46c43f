#pragma once

#include "core/app/ConfigTable.h"

class THTTPThreadManager;

// The bridge between the app core's copy of the connection settings (read
// from and written to prefs.ini) and the scheduler that uses them.
namespace NetworkSettings {

// Hands limits, user agent and proxy settings to the scheduler; a larger new-connection
// limit lets waiting requests start at once.
void Apply(const TNetworkSettings& settings, THTTPThreadManager& manager);
// Apply to the process-wide scheduler.
void Apply(const TNetworkSettings& settings);

// The scheduler's current limits, user agent and proxy settings, for writing prefs.ini.
TNetworkSettings Read(const THTTPThreadManager& manager);
// Read from the process-wide scheduler.
TNetworkSettings Read();

}  // namespace NetworkSettings
