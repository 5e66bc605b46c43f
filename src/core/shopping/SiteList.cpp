#include "core/shopping/SiteList.h"

namespace {

struct TSiteRow {
  int SiteID;
  const char* Code;
  const char* Name;
  const char* En;  // nullptr: no entry
  const char* De;
};

const TSiteRow kSites[] = {
    {15, "AU", "Australia", nullptr, "Australien"},
    {16, "AT", "Austria", nullptr, "Österreich"},
    {123, "BENL", "Belgium_Dutch", "Belgium (Dutch)", "Belgien (Niederländisch)"},
    {23, "BEFR", "Belgium_French", "Belgium (French)", "Belgien (Französisch)"},
    {2, "CA", "Canada", nullptr, "Kanada"},
    {210, "CAFR", "CanadaFrench", "Canada (French)", "Kanada (Französisch)"},
    {223, "CN", "China", nullptr, nullptr},
    {100, "", "eBayMotors", "eBay Motors", "eBay Motors"},
    {71, "FR", "France", nullptr, "Frankreich"},
    {77, "DE", "Germany", nullptr, "Deutschland"},
    {201, "HK", "HongKong", "Hong Kong", "Hongkong"},
    {203, "IN", "India", nullptr, "Indien"},
    {205, "IE", "Ireland", nullptr, "Irland"},
    {101, "IT", "Italy", nullptr, "Italien"},
    {207, "MY", "Malaysia", nullptr, nullptr},
    {146, "NL", "Netherlands", nullptr, "Niederlande"},
    {211, "PH", "Philippines", nullptr, "Philippinen"},
    {212, "PL", "Poland", nullptr, "Polen"},
    {216, "SG", "Singapore", nullptr, "Singapur"},
    {186, "ES", "Spain", nullptr, "Spanien"},
    {218, "SE", "Sweden", nullptr, "Schweden"},
    {193, "CH", "Switzerland", nullptr, "Schweiz"},
    {196, "TW", "Taiwan", nullptr, nullptr},
    {3, "UK", "UK", nullptr, "Vereinigtes Königreich"},
    {0, "US", "USA", nullptr, nullptr},
};

}  // namespace

TSiteList::TSiteList() {
  for (const TSiteRow& row : kSites) {
    auto site = std::make_unique<TSite>();
    site->SiteID = row.SiteID;
    site->Code = QString::fromUtf8(row.Code);
    site->Name = QString::fromUtf8(row.Name);
    if (row.En) site->SetLocalName("en", QString::fromUtf8(row.En));
    if (row.De) site->SetLocalName("de", QString::fromUtf8(row.De));
    FItems.push_back(std::move(site));
  }
}

TSite* TSiteList::Items(int index) const {
  return index >= 0 && index < Count() ? FItems[size_t(index)].get() : nullptr;
}

TSite* TSiteList::FindByName(const QString& text) const {
  for (const auto& site : FItems)
    if (site->Name == text || site->Code == text) return site.get();
  return nullptr;
}

TSite* TSiteList::FindBySiteID(int siteID) const {
  return Items(IndexOfSiteID(siteID));
}

int TSiteList::IndexOfSiteID(int siteID) const {
  for (int i = 0; i < Count(); ++i)
    if (FItems[size_t(i)]->SiteID == siteID) return i;
  return -1;
}

TSiteList& SiteList() {
  static TSiteList list;
  return list;
}
