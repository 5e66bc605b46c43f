// Categories from a Categories.xml: the real German and US trees of the
// shared reference data; sites the file lacks keep the built-in tree.
#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/xpath.h>

#include <cstdio>
#include <fstream>
#include <set>

#include "sandbox/SandboxProcess.h"
#include "sandbox/XmlAnswer.h"

namespace {

const char* kRealCategories = QUARN_SHARED_DIR "/data/RealCategories.xml";

std::set<std::string> CategoryIds(const std::string& site) {
  std::set<std::string> ids;
  xmlDoc* doc = xmlReadFile(kRealCategories, nullptr, XML_PARSE_NONET);
  if (!doc) return ids;
  xmlXPathContext* ctx = xmlXPathNewContext(doc);
  std::string path = "/*/Site[@ID='" + site + "']//Category/@ID";
  xmlXPathObject* r = xmlXPathEvalExpression(BAD_CAST path.c_str(), ctx);
  for (int i = 0; r && r->nodesetval && i < r->nodesetval->nodeNr; ++i) {
    xmlChar* t = xmlNodeGetContent(r->nodesetval->nodeTab[i]);
    ids.insert(reinterpret_cast<const char*>(t));
    xmlFree(t);
  }
  if (r) xmlXPathFreeObject(r);
  xmlXPathFreeContext(ctx);
  xmlFreeDoc(doc);
  return ids;
}

std::vector<std::string> WithCategories(const std::string& file) {
  return {"--port", "0", "--items-per-site", "300", "--clock-speed", "0", "--categories", file};
}

TEST(Categories, ListingsLiveInTheTreesOfCategoriesXml) {
  SandboxProcess s(WithCategories(kRealCategories));
  ASSERT_TRUE(s.Running());
  EXPECT_NE(s.Client().Get("/sandbox/state")->body.find("\"categoriesFromFile\":true"),
            std::string::npos);
  const std::string all = "<MaxEntries>200</MaxEntries><IncludeSelector>Details</IncludeSelector>";
  for (const char* site : {"77", "0"}) {
    auto known = CategoryIds(site);
    ASSERT_GT(known.size(), 10000u);
    XmlAnswer a(s.Call("FindItemsAdvanced", all, std::stoi(site))->body);
    auto ids = a.Texts("//e:Item/e:PrimaryCategoryID");
    ASSERT_EQ(ids.size(), 200u);
    for (const auto& id : ids)
      EXPECT_TRUE(known.count(id)) << site << ": " << id;
  }
  // A camera is listed among cameras, found by the names of the real tree.
  XmlAnswer cameras(
      s.Call("FindItemsAdvanced",
             "<QueryKeywords>Digitalkamera</QueryKeywords><MaxEntries>50</MaxEntries>", 77)
          ->body);
  auto paths = cameras.Texts("//e:Item/e:PrimaryCategoryName");
  ASSERT_FALSE(paths.empty());
  for (const auto& p : paths)
    EXPECT_NE(p.find("amera"), std::string::npos) << p;
  // A top-level category of the real tree holds what is listed below it.
  XmlAnswer photo(
      s.Call("FindItemsAdvanced", "<CategoryID>625</CategoryID><MaxEntries>200</MaxEntries>", 77)
          ->body);
  EXPECT_GT(photo.Count("//e:Item"), 0);
  for (const auto& p : photo.Texts("//e:Item/e:PrimaryCategoryName"))
    EXPECT_EQ(p.rfind("Foto & Camcorder:", 0), 0u) << p;
  // The UK is not in the file: the built-in tree serves it.
  XmlAnswer uk(
      s.Call("FindItemsAdvanced", "<CategoryID>625</CategoryID><MaxEntries>5</MaxEntries>", 3)
          ->body);
  EXPECT_EQ(uk.Text("//e:Item/e:PrimaryCategoryName").rfind("Cameras & Photo:", 0), 0u);
}

TEST(Categories, AnUnusableFileFallsBackToTheBuiltInTrees) {
  std::string path = ::testing::TempDir() + "/broken-categories.xml";
  std::ofstream(path) << "<Categories><Site ID=\"77\"><Category ID=\"1\"";
  SandboxProcess s(WithCategories(path));
  ASSERT_TRUE(s.Running());
  XmlAnswer a(
      s.Call("FindItemsAdvanced", "<CategoryID>31388</CategoryID><MaxEntries>5</MaxEntries>")
          ->body);
  EXPECT_EQ(a.Text("//e:Item/e:PrimaryCategoryName"), "Foto & Camcorder:Digitalkameras");
  std::remove(path.c_str());

  SandboxProcess missing(WithCategories("/no/such/Categories.xml"));
  EXPECT_FALSE(missing.Running());
}

}  // namespace
