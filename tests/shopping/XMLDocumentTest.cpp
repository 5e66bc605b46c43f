#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "core/shopping/MSXMLTools.h"
#include "core/shopping/XMLDocument.h"

namespace {

const char kAnswer[] =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
    "<GetSingleItemResponse xmlns=\"urn:ebay:apis:eBLBaseComponents\">\n"
    "  <Ack>Success</Ack>\n"
    "  <Item><ItemID>42</ItemID><Title>A &amp; B <![CDATA[<c>]]></Title>\n"
    "    <DistanceFromBuyer unit=\"km\">12.5</DistanceFromBuyer>\n"
    "    <PictureURL>p1</PictureURL><PictureURL>p2</PictureURL></Item>\n"
    "</GetSingleItemResponse>\n";

TEST(XMLDocument, SelectsWithTheEBayPrefixRelativeToANode) {
  TXMLDocument doc;
  ASSERT_TRUE(doc.LoadXMLBytes(kAnswer)) << doc.ParseError().Reason.toStdString();
  const TXMLNode item = doc.SelectSingleNode("/*/ebay:Item");
  ASSERT_TRUE(item);
  EXPECT_EQ(item.LocalName(), "Item");
  EXPECT_EQ(item.NamespaceURI(), "urn:ebay:apis:eBLBaseComponents");
  EXPECT_EQ(GetNodeText(item, "./ebay:ItemID", "x"), "42");
  EXPECT_EQ(GetNodeText(item, "./ebay:Title", "x"), "A & B <c>");
  EXPECT_EQ(GetNodeText(item, "./ebay:DistanceFromBuyer/@unit", "x"), "km");
  EXPECT_EQ(GetNodeText(item, "./ebay:Missing", "x"), "x");
  EXPECT_EQ(item.SelectNodes("./ebay:PictureURL").size(), 2u);
  // Unprefixed names do not match elements in the API namespace.
  EXPECT_FALSE(item.SelectSingleNode("./ItemID"));
  // A path that does not compile selects nothing and does not throw.
  EXPECT_FALSE(item.SelectSingleNode("./ebay:["));
  EXPECT_FALSE(item.SelectSingleNode("./nope:Title"));
}

TEST(XMLDocument, DescendantSelectionFindsTheFirstInDocumentOrder) {
  TXMLDocument doc;
  ASSERT_TRUE(doc.LoadXMLBytes(
      "<PageNumber xmlns=\"urn:ebay:apis:eBLBaseComponents\"><a><PageNumber>1</PageNumber>"
      "<o:PageNumber xmlns:o=\"urn:other\">x</o:PageNumber></a><PageNumber>2</PageNumber>"
      "<b><c><Deep>d</Deep></c></b></PageNumber>"));
  for (const char* path : {"//ebay:PageNumber", "//ebay:Deep", "//ebay:Missing", "//ebay:a"}) {
    SCOPED_TRACE(path);
    const std::vector<TXMLNode> all = doc.SelectNodes(path);
    const TXMLNode first = all.empty() ? TXMLNode() : all.front();
    EXPECT_EQ(doc.SelectSingleNode(path), first);
    // The same from any node of the document: the path starts at the root.
    EXPECT_EQ(doc.SelectSingleNode("//ebay:Deep").SelectSingleNode(path), first);
  }
  EXPECT_EQ(doc.SelectSingleNode("//ebay:PageNumber"), doc.DocumentElement());
  EXPECT_EQ(doc.SelectNodes("//ebay:PageNumber").size(), 3u);
}

TEST(XMLDocument, ElementNavigationSkipsWhitespace) {
  TXMLDocument doc;
  ASSERT_TRUE(doc.LoadXMLBytes("<r>\n <a/>\n <!-- c -->\n <b>t</b>\n</r>"));
  const TXMLNode root = doc.DocumentElement();
  EXPECT_EQ(root.FirstChild().NodeName(), "#text");
  EXPECT_EQ(root.FirstChildElement().NodeName(), "a");
  EXPECT_EQ(root.LastChildElement().NodeName(), "b");
  EXPECT_EQ(root.FirstChildElement().NextSiblingElement().NodeName(), "b");
  EXPECT_TRUE(root.HasChildNodes());
  EXPECT_FALSE(root.FirstChildElement().HasChildNodes());
}

TEST(XMLDocument, RefusesBrokenTextWithReasonAndLine) {
  struct Case {
    const char* Name;
    QByteArray Text;
    const char* SrcText;
  };
  const Case cases[] = {
      {"not xml", "Service Unavailable", "Service Unavailable"},
      {"empty", "", ""},
      {"truncated", "<r>\n<a>1</a>\n<b>2", ""},
      {"mismatch", "<r>\n<a>1</b>\n</r>", "<a>1</b>"},
      {"html", "<html><body><p>oops</body></html>", "<html><body><p>oops</body></html>"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TXMLDocument doc;
    EXPECT_FALSE(doc.LoadXMLBytes(c.Text));
    EXPECT_FALSE(doc.ParseError().Reason.isEmpty());
    if (*c.SrcText) EXPECT_EQ(doc.ParseError().SrcText, c.SrcText);
    EXPECT_FALSE(doc.DocumentElement());
    EXPECT_FALSE(doc.SelectSingleNode("/*"));
  }
}

TEST(XMLDocument, TextIgnoresTheDeclaredEncodingBytesHonourIt) {
  TXMLDocument doc;
  // Decoded text whose declaration claims UTF-16 still loads.
  ASSERT_TRUE(
      doc.LoadXML(QString::fromUtf8("<?xml version=\"1.0\" encoding=\"utf-16\"?><r>Grüße</r>")))
      << doc.ParseError().Reason.toStdString();
  EXPECT_EQ(doc.DocumentElement().Text(), QString::fromUtf8("Grüße"));
  // Bytes in Windows-1252 with their declaration decode correctly.
  ASSERT_TRUE(doc.LoadXMLBytes("<?xml version=\"1.0\" encoding=\"windows-1252\"?><r>\xFC</r>"));
  EXPECT_EQ(doc.DocumentElement().Text(), QString::fromUtf8("ü"));
}

TEST(XMLDocument, HostileEntitiesAreNeitherFetchedNorExpanded) {
  TXMLDocument doc;
  const QByteArray external =
      "<?xml version=\"1.0\"?><!DOCTYPE r [<!ENTITY x SYSTEM \"file:///etc/passwd\">]>"
      "<r>&x;</r>";
  if (doc.LoadXMLBytes(external)) EXPECT_EQ(doc.DocumentElement().Text(), "");

  QByteArray laughs = "<?xml version=\"1.0\"?><!DOCTYPE r [<!ENTITY a \"aaaaaaaaaa\">";
  for (int i = 1; i < 10; ++i)
    laughs += "<!ENTITY " + QByteArray(1, char('a' + i)) + " \"" +
              QByteArray(1, char('a' + i - 1)).repeated(1).prepend('&').append(';').repeated(10) +
              "\">";
  laughs += "]><r>&j;</r>";
  // Either refused or loaded without expansion; reading its text stays small.
  if (doc.LoadXMLBytes(laughs)) EXPECT_LT(doc.DocumentElement().Text().size(), 1000);
}

TEST(XMLDocument, BuildsElementsInANamespaceDeclaredOnce) {
  TXMLDocument doc;
  TXMLNode root = doc.CreateElement("GeteBayTimeRequest", kEBayNamespace);
  doc.SetDocumentElement(root);
  root.AppendElement("ItemID", "1 < 2 & \x01ok");
  root.AppendElementNoNS("Plain", "x");
  const QByteArray xml = doc.Xml();
  EXPECT_TRUE(xml.startsWith("<?xml version=\"1.0\" encoding=\"utf-8\"?>")) << xml.constData();
  EXPECT_EQ(xml.count("xmlns=\"urn:ebay:apis:eBLBaseComponents\""), 1) << xml.constData();
  EXPECT_TRUE(xml.contains("<ItemID>1 &lt; 2 &amp; ok</ItemID>")) << xml.constData();

  TXMLDocument back;
  ASSERT_TRUE(back.LoadXMLBytes(xml));
  EXPECT_EQ(GetNodeText(back.DocumentElement(), "./ebay:ItemID", ""), "1 < 2 & ok");
  EXPECT_EQ(GetNodeText(back.DocumentElement(), "./Plain", ""), "x");
}

TEST(XMLDocument, DeepCopiesWithinAndAcrossDocuments) {
  TXMLDocument source;
  ASSERT_TRUE(source.LoadXMLBytes(kAnswer));
  const TXMLNode item = source.SelectSingleNode("//ebay:Item");

  TXMLDocument target;
  TXMLNode root = target.CreateElement("Root", kEBayNamespace);
  target.SetDocumentElement(root);
  root.AppendChild(target.ImportNode(item, true));
  root.AppendChild(root.FirstChildElement().CloneNode(true));
  EXPECT_EQ(target.SelectNodes("/ebay:Root/ebay:Item/ebay:ItemID").size(), 2u);
  // The copy is independent of its source.
  source.SelectSingleNode("//ebay:ItemID").SetText("7");
  EXPECT_EQ(GetNodeText(target.DocumentElement(), "./ebay:Item/ebay:ItemID", ""), "42");
  // Removing a node takes its subtree with it.
  TXMLNode first = root.FirstChildElement();
  first.Free();
  EXPECT_EQ(target.SelectNodes("//ebay:Item").size(), 1u);
}

TEST(MSXMLTools, NodeReadersKeepTheirDefaults) {
  TXMLDocument doc;
  ASSERT_TRUE(
      doc.LoadXMLBytes("<r><t> TRUE </t><f>false</f><n> -12 </n><h>99999999999</h>"
                       "<x>1.5</x><e></e></r>"));
  const TXMLNode r = doc.DocumentElement();
  EXPECT_TRUE(GetNodeBool(r, "./t", false));
  EXPECT_TRUE(GetNodeBool(r, "./f", true));  // a present false never clears
  EXPECT_FALSE(GetNodeBool(r, "./f", false));
  EXPECT_TRUE(GetNodeBool(r, "./missing", true));
  EXPECT_EQ(GetNodeInt(r, "./n", 0), -12);
  EXPECT_EQ(GetNodeInt(r, "./h", 5), 5);  // does not fit 32 bits
  EXPECT_EQ(GetNodeInt(r, "./x", 5), 5);
  EXPECT_EQ(GetNodeInt(r, "./e", 5), 5);
  EXPECT_EQ(GetNodeInt(r, "./missing", 5), 5);
  EXPECT_EQ(GetNodeText(r, "./e", "d"), "");
}

TEST(MSXMLTools, SaveXMLPrettyWritesIndentedUtf8WithBom) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("out.xml"));
  TXMLDocument doc;
  ASSERT_TRUE(doc.LoadXMLBytes("<Data Type=\"T\"><SiteID>77</SiteID><Q>Grüße</Q></Data>"));
  ASSERT_TRUE(SaveXMLPretty(doc, path));
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QByteArray bytes = f.readAll();
  EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>"));
  EXPECT_TRUE(bytes.contains("\n  <SiteID>77</SiteID>\n")) << bytes.constData();
  EXPECT_TRUE(bytes.contains("Grüße"));
  TXMLDocument back;
  ASSERT_TRUE(back.Load(path));
  EXPECT_EQ(GetNodeText(back.DocumentElement(), "./Q", ""), QString::fromUtf8("Grüße"));
  // A file that cannot be written is reported, and a missing one fails to load.
  EXPECT_FALSE(SaveXMLPretty(doc, dir.filePath(QStringLiteral("no/such/dir/out.xml"))));
  EXPECT_FALSE(back.Load(dir.filePath(QStringLiteral("missing.xml"))));
  EXPECT_FALSE(back.ParseError().Reason.isEmpty());
}

}  // namespace
