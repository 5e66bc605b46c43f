#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>

#include "Catalogue.h"
#include "ShoppingRequest.h"
#include "SimClock.h"

// One Shopping API call as it arrives: the eBay headers and the body.
struct ShoppingCall {
  std::string appId;
  std::string siteId;  // empty when the header is missing
  std::string version;
  std::string encoding;
  std::string callName;
  std::string_view body;
  std::string base;      // the sandbox's address, "http://host:port/"
  bool warning = false;  // fault: answer with Ack "Warning"
};

struct ShoppingAnswer {
  std::string xml;
  std::string call;  // the call answered, "" when unknown
  bool failure = false;
};

// The five calls the client uses, answered the way eBay's Shopping API did:
// FindItemsAdvanced, GetMultipleItems, GetItemStatus, GetSingleItem and
// GeteBayTime, plus eBay's failure answers for a wrong application id, an
// unknown call, a malformed request and unknown items.
class ShoppingApi {
 public:
  // The application id the client has built in; no other is accepted.
  static constexpr const char* kAppId = "Brisk7d21-f0c8-3b96-d7e4-2a8f39b10e7";
  static constexpr const char* kNamespace = "urn:ebay:apis:eBLBaseComponents";
  static constexpr const char* kVersion = "567";
  static constexpr const char* kBuild = "e567_core_Bundled_7143451_R1";
  static constexpr int kMaxItemIds = 20;

  ShoppingApi(Catalogue& catalogue, const SimClock& clock);

  ShoppingAnswer Handle(const ShoppingCall& call);

 private:
  ShoppingAnswer Failure(const std::string& call, const ShoppingError& error) const;
  // Timestamp, Ack (and a warning), Build, Version: the start of every answer.
  void Begin(std::string& out, const std::string& call, int64_t nowMs, bool warning) const;

  Catalogue& catalogue_;
  const SimClock& clock_;
};
