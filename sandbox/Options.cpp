#include "Options.h"

#include <cmath>
#include <cstdlib>

#include "TextUtil.h"

const char* Options::Usage() {
  return "usage: quarn-sandbox [--port N] [--seed N] [--items-per-site N] [--clock-speed F]\n"
         "                     [--latency-ms N] [--faults RULES] [--host ADDR] [--start-time ISO]\n"
         "                     [--categories FILE] [--modules DIR] [--message TEXT]\n"
         "                     [--latest-version V] [--kat-version V] [--threads N]\n"
         "Plays eBay's Shopping API and Quarn's server on http://HOST:PORT/ (port 0: any free "
         "port).\n"
         "--categories: a Categories.xml (default: SiteData/Categories.xml beside the program,\n"
         "      when it exists) or \"builtin\" for the sandbox's own small trees.\n"
         "RULES: PATH:KIND=VALUE[,KIND=VALUE...][;PATH:...], PATH a path prefix or *, KIND latency "
         "(ms)\n"
         "      or http500|drop|badxml|warning|truncgzip|slow with a rate from 0 to 1.\n";
}

bool Options::Parse(int argc, char** argv, std::string& error, bool& help) {
  help = false;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    std::string value;
    bool hasValue = false;
    if (size_t eq = arg.find('='); arg.rfind("--", 0) == 0 && eq != std::string::npos) {
      value = arg.substr(eq + 1);
      arg = arg.substr(0, eq);
      hasValue = true;
    }
    if (arg == "--help" || arg == "-h") {
      help = true;
      return true;
    }
    if (!hasValue) {
      if (i + 1 >= argc) {
        error = "missing value for " + arg;
        return false;
      }
      value = argv[++i];
    }
    int64_t n = 0;
    double d = 0;
    auto integer = [&](int64_t lo, int64_t hi) {
      if (!TextUtil::ParseInt(value, n) || n < lo || n > hi) {
        error = "bad value for " + arg + ": " + value;
        return false;
      }
      return true;
    };
    if (arg == "--port") {
      if (!integer(0, 65535)) return false;
      port = static_cast<int>(n);
    } else if (arg == "--seed") {
      if (!integer(0, INT64_MAX)) return false;
      seed = static_cast<uint64_t>(n);
    } else if (arg == "--items-per-site") {
      if (!integer(1, kMaxItemsPerSite)) return false;
      itemsPerSite = static_cast<uint32_t>(n);
    } else if (arg == "--clock-speed") {
      if (!TextUtil::ParseDecimal(value, d) || d < 0 || d > 1e7) {
        error = "bad value for --clock-speed: " + value;
        return false;
      }
      clockSpeed = d;
    } else if (arg == "--latency-ms") {
      if (!integer(0, 600000)) return false;
      latencyMs = static_cast<int>(n);
    } else if (arg == "--threads") {
      if (!integer(4, 1024)) return false;
      threads = static_cast<int>(n);
    } else if (arg == "--faults") {
      faults = value;
    } else if (arg == "--host") {
      host = value;
    } else if (arg == "--start-time") {
      int64_t ms = 0;
      if (!TextUtil::ParseIsoTime(value, ms)) {
        error = "bad value for --start-time (want 2024-01-31T12:00:00Z): " + value;
        return false;
      }
      startTime = value;
    } else if (arg == "--categories") {
      categories = value;
    } else if (arg == "--modules") {
      modulesDir = value;
    } else if (arg == "--message") {
      message = value;
    } else if (arg == "--latest-version") {
      latestVersion = value;
    } else if (arg == "--kat-version") {
      katVersion = value;
    } else {
      error = "unknown option " + arg;
      return false;
    }
  }
  return true;
}
