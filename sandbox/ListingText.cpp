#include "ListingText.h"

#include "Random.h"
#include "SiteCatalogue.h"
#include "TextUtil.h"
#include "Vocabulary.h"

namespace {

std::string_view Product(const Listing& l) {
  return Vocabulary::Kinds()[l.kind].products[l.product];
}

void ReplaceAll(std::string& text, std::string_view what, std::string_view with) {
  for (size_t pos = text.find(what); pos != std::string::npos;
       pos = text.find(what, pos + with.size())) {
    text.replace(pos, what.size(), with);
  }
}

struct PictureSize {
  int w, h;
  int weight;
};
const PictureSize kSizes[] = {{500, 375, 25}, {400, 300, 20}, {300, 300, 15}, {640, 480, 15},
                              {375, 500, 10}, {800, 600, 7},  {60, 40, 8}};

}  // namespace

std::string ListingText::Brand(const Listing& l) {
  std::string_view p = Product(l);
  return std::string(p.substr(0, p.find('~')));
}

std::string ListingText::Model(const Listing& l) {
  std::string_view p = Product(l);
  size_t tilde = p.find('~');
  return tilde == std::string_view::npos ? "" : std::string(p.substr(tilde + 1));
}

std::vector<std::string> ListingText::DescriptionParts(const SiteCatalogue& site,
                                                       const Listing& l) {
  const LangPhrases& ph = Vocabulary::Phrases(site.lang);
  const Kind& kind = Vocabulary::Kinds()[l.kind];
  Rnd::Stream r(Rnd::Hash({static_cast<uint64_t>(l.site), l.index, 0xDE5Cull}));
  std::vector<std::string> parts;
  parts.emplace_back(ph.intros[r.Below(static_cast<uint32_t>(ph.intros.size()))]);  // holds {TITLE}
  if (l.condition == 1) parts.emplace_back(ph.conditionNew);
  if (l.condition == 2) parts.emplace_back(ph.conditionUsed);
  std::string brand = Brand(l);
  if (kind.hasBrand && !brand.empty())
    parts.push_back(std::string(ph.brandName) + ": " + brand + ".");
  std::string model = Model(l);
  if (!model.empty()) parts.push_back(std::string(ph.modelName) + ": " + model + ".");
  if (l.colour >= 0) {
    parts.push_back(std::string(ph.colourName) + ": " +
                    std::string(ph.colours[static_cast<size_t>(l.colour)]) + ".");
  }
  parts.emplace_back(ph.shipping);
  parts.emplace_back(site.sellers[l.seller].commercial ? ph.commercialSale : ph.privateSale);
  return parts;
}

std::string ListingText::Description(const SiteCatalogue& site, const Listing& l) {
  std::vector<std::string> parts = DescriptionParts(site, l);
  std::string title = TextUtil::XmlEscaped(l.title);  // the description is HTML
  std::string intro = TextUtil::XmlEscaped(parts[0]);
  ReplaceAll(intro, "{TITLE}", title);
  std::string out = "<div class=\"desc\"><h2>" + title + "</h2><p>" + intro + "</p><p>";
  // The facts, then shipping and the kind of sale in a paragraph of their own.
  for (size_t i = 1; i + 2 < parts.size(); ++i)
    out += TextUtil::XmlEscaped(parts[i]) + " ";
  out += "</p><p>" + TextUtil::XmlEscaped(parts[parts.size() - 2]) + " " +
         TextUtil::XmlEscaped(parts.back());
  out += "</p></div>";
  return out;
}

std::vector<std::pair<std::string, std::string>> ListingText::Specifics(const SiteCatalogue& site,
                                                                        const Listing& l) {
  const LangPhrases& ph = Vocabulary::Phrases(site.lang);
  const Kind& kind = Vocabulary::Kinds()[l.kind];
  std::vector<std::pair<std::string, std::string>> out;
  if (l.condition != 0) {
    bool german = site.lang == Lang::De;
    out.emplace_back("Condition",
                     l.condition == 1 ? (german ? "Neu" : "New") : (german ? "Gebraucht" : "Used"));
  }
  std::string brand = Brand(l);
  if (kind.hasBrand && !brand.empty()) out.emplace_back(std::string(ph.brandName), brand);
  std::string model = Model(l);
  if (!model.empty()) out.emplace_back(std::string(ph.modelName), model);
  if (l.colour >= 0)
    out.emplace_back(std::string(ph.colourName),
                     std::string(ph.colours[static_cast<size_t>(l.colour)]));
  if (kind.extra == KindExtra::Size)
    out.emplace_back(std::string(ph.sizeName), std::to_string(l.extra));
  return out;
}

std::vector<std::string> ListingText::PicturePaths(const std::string& itemId, const Listing& l) {
  std::vector<std::string> out;
  uint64_t base = Rnd::HashText(itemId);
  for (int n = 1; n <= l.pictures; ++n) {
    Rnd::Stream r(Rnd::Hash({base, static_cast<uint64_t>(n)}));
    int total = 0;
    for (const auto& s : kSizes)
      total += s.weight;
    int pick = static_cast<int>(r.Below(static_cast<uint32_t>(total)));
    const PictureSize* size = &kSizes[0];
    for (const auto& s : kSizes) {
      if (pick < s.weight) {
        size = &s;
        break;
      }
      pick -= s.weight;
    }
    std::string name = "pics/" + itemId + "/" + std::to_string(n) + "_" + std::to_string(size->w) +
                       "x" + std::to_string(size->h);
    double kind = r.Uniform();
    if (size->w <= 60) {
      name += "t";  // flat colour: these stay under 1 KB
    } else if (kind < 0.03) {
      name += "b";
    }
    double ext = r.Uniform();
    if (ext < 0.05) {
      name += ".png";
    } else if (ext < 0.09) {
      name += ".JPG?set_id=" + std::to_string(8800000000ull + (base % 100000));
    } else {
      name += ".jpg";
    }
    out.push_back(std::move(name));
  }
  return out;
}

std::string ListingText::GalleryPath(const std::string& itemId, const Listing& l) {
  if (!l.gallery || l.pictures == 0) return "";
  return "pics/" + itemId + "/g_96x72.jpg";
}
