#include "ShoppingApi.h"

#include <cctype>

#include "AnswerContext.h"
#include "FindItems.h"
#include "ItemWriter.h"
#include "TextUtil.h"
#include "XmlWriter.h"

namespace {

ShoppingError Error(const char* shortMessage, const std::string& longMessage, const char* code) {
  ShoppingError e;
  e.shortMessage = shortMessage;
  e.longMessage = longMessage;
  e.code = code;
  return e;
}

bool SaneCallName(const std::string& name) {
  if (name.empty() || name.size() > 64) return false;
  for (char c : name) {
    if (!std::isalnum(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

void WriteErrors(XmlWriter& xml, const ShoppingError& e) {
  xml.Open("Errors");
  xml.Element("ShortMessage", e.shortMessage);
  xml.Element("LongMessage", e.longMessage);
  xml.Element("ErrorCode", e.code);
  xml.Element("SeverityCode", e.severity);
  if (!e.parameter.empty()) {
    xml.OpenWithAttribute("ErrorParameters", "ParamID", "0");
    xml.Element("Value", e.parameter);
    xml.Close("ErrorParameters");
  }
  xml.Element("ErrorClassification", e.classification);
  xml.Close("Errors");
}

}  // namespace

ShoppingApi::ShoppingApi(Catalogue& catalogue, const SimClock& clock)
    : catalogue_(catalogue), clock_(clock) {}

void ShoppingApi::Begin(std::string& out, const std::string& call, int64_t nowMs,
                        bool warning) const {
  XmlWriter xml(out);
  xml.Declaration();
  xml.OpenRoot(call + "Response", kNamespace);
  xml.Element("Timestamp", TextUtil::IsoTime(nowMs));
  xml.Element("Ack", warning ? "Warning" : "Success");
  if (warning) {
    ShoppingError w =
        Error("Some data could not be retrieved.",
              "Some data could not be retrieved; the answer may be incomplete.", "10.40");
    w.severity = "Warning";
    w.classification = "SystemError";
    WriteErrors(xml, w);
  }
  xml.Element("Build", kBuild);
  xml.Element("Version", kVersion);
}

ShoppingAnswer ShoppingApi::Failure(const std::string& call, const ShoppingError& error) const {
  // eBay's failure answers carry no timestamp: Ack, Errors, Build, Version.
  ShoppingAnswer a;
  a.failure = true;
  a.call = call;
  XmlWriter xml(a.xml);
  xml.Declaration();
  std::string root = (SaneCallName(call) ? call : std::string("Shopping")) + "Response";
  xml.OpenRoot(root, kNamespace);
  xml.Element("Ack", "Failure");
  WriteErrors(xml, error);
  xml.Element("Build", kBuild);
  xml.Element("Version", kVersion);
  xml.Close(root);
  return a;
}

ShoppingAnswer ShoppingApi::Handle(const ShoppingCall& call) {
  std::string headerCall = TextUtil::Trim(call.callName);
  if (call.appId != kAppId) {
    return Failure(headerCall, Error("Application ID invalid.",
                                     "Application ID invalid. The X-EBAY-API-APP-ID header does "
                                     "not name a registered application.",
                                     "1.20"));
  }
  if (!call.encoding.empty() && !TextUtil::EqualsNoCase(TextUtil::Trim(call.encoding), "XML")) {
    ShoppingError e = ShoppingRequest::InvalidInput("X-EBAY-API-REQUEST-ENCODING");
    e.longMessage = "Only XML requests are supported.";
    return Failure(headerCall, e);
  }
  int64_t siteId = 0;
  const SiteInfo* site = nullptr;
  if (call.siteId.empty()) {
    site = SiteTable::Find(0);
  } else if (TextUtil::ParseInt(call.siteId, siteId)) {
    site = SiteTable::Find(static_cast<int>(siteId));
  }
  if (!site) {
    ShoppingError e = ShoppingRequest::InvalidInput("X-EBAY-API-SITE-ID");
    e.shortMessage = "Invalid site ID.";
    e.longMessage = "The site ID \"" + call.siteId + "\" is not a valid eBay site.";
    return Failure(headerCall, e);
  }

  ShoppingRequest request;
  ShoppingError error;
  if (!request.Parse(call.body, error)) return Failure(headerCall, error);
  const std::string& name = request.Call();
  if (!headerCall.empty() && headerCall != name) {
    ShoppingError e = ShoppingRequest::InvalidInput("X-EBAY-API-CALL-NAME");
    e.longMessage = "The call name in the header (" + headerCall +
                    ") does not match the request (" + name + ").";
    return Failure(headerCall, e);
  }

  AnswerContext ctx;
  ctx.seed = catalogue_.Seed();
  ctx.nowMs = clock_.NowMs();
  ctx.originMs = clock_.OriginMs();
  ctx.site = site;
  ctx.base = call.base;

  ShoppingAnswer a;
  a.call = name;
  if (name == "GeteBayTime") {
    Begin(a.xml, name, ctx.nowMs, call.warning);
    a.xml += "</GeteBayTimeResponse>";
    return a;
  }
  if (name == "FindItemsAdvanced") {
    const SiteCatalogue& cat = catalogue_.Site(SiteTable::IndexOf(site->id));
    FindItems find(catalogue_, cat, ctx);
    if (!find.Parse(request, error)) return Failure(name, error);
    a.xml.reserve(static_cast<size_t>(find.PageSize()) * 2500 + 1024);  // no regrowing copies
    Begin(a.xml, name, ctx.nowMs, call.warning);
    XmlWriter xml(a.xml);
    find.Write(xml);
    xml.Close("FindItemsAdvancedResponse");
    return a;
  }
  if (name == "GetMultipleItems" || name == "GetItemStatus" || name == "GetSingleItem") {
    std::vector<std::string> ids = request.All("ItemID");
    size_t limit = name == "GetSingleItem" ? 1 : static_cast<size_t>(kMaxItemIds);
    if (ids.empty() || ids.size() > limit)
      return Failure(name, ShoppingRequest::InvalidInput("ItemID"));
    uint32_t parts = name == "GetItemStatus"
                         ? kPartStatusOnly
                         : kPartCore | kPartGallery | kPartPictures | kPartLocation;
    if (const std::string* sel = request.First("IncludeSelector"); sel && name != "GetItemStatus") {
      for (const auto& s : TextUtil::Words(*sel)) {
        if (s == "details") parts |= kPartDetails | kPartSeller;
        if (s == "description") parts |= kPartDescription;
        if (s == "itemspecifics") parts |= kPartSpecifics;
        if (s == "shippingcosts") parts |= kPartShipping | kPartShippingDetail;
      }
    }
    std::string items;
    XmlWriter xml(items);
    int found = 0;
    for (const std::string& raw : ids) {
      std::string id = TextUtil::Trim(raw);
      const SiteCatalogue* cat = nullptr;
      const Listing* l = catalogue_.Find(id, &cat);
      if (!l) continue;  // eBay leaves out numbers it does not know
      ++found;
      ItemView v{cat,
                 l,
                 id,
                 AuctionModel::StateAt(ctx.seed, *l, ctx.NowSeconds(),
                                       static_cast<uint32_t>(cat->bidders.size())),
                 site->currency,
                 &ctx.base,
                 ctx.originMs};
      ItemWriter::Write(xml, v, parts);
    }
    if (found == 0) {
      ShoppingError e = Error("Invalid item ID.", "Invalid or non-existent item ID.", "10.12");
      e.parameter = "ItemID";
      return Failure(name, e);
    }
    Begin(a.xml, name, ctx.nowMs, call.warning);
    a.xml += items;
    XmlWriter(a.xml).Close(name + "Response");
    return a;
  }
  ShoppingError e =
      Error("Unsupported API call.",
            "The API call \"" + name + "\" is invalid or not supported in this release.", "1.21");
  return Failure(SaneCallName(name) ? name : headerCall, e);
}
