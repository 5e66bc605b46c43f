// Listing pictures: stable addresses, real JPEG and PNG data of the named
// size, tiny and broken ones, and every address in answers resolves.
#include <gtest/gtest.h>

#include <vips/vips8>

#include "sandbox/SandboxProcess.h"
#include "sandbox/XmlAnswer.h"

namespace {

struct Decoded {
  bool ok = false;
  int width = 0, height = 0;
};

Decoded Decode(const std::string& bytes) {
  static const bool started = [] { return VIPS_INIT("sandbox_tests") == 0; }();
  Decoded d;
  if (!started) return d;
  try {
    vips::VImage image = vips::VImage::new_from_buffer(bytes.data(), bytes.size(), "",
                                                       vips::VImage::option()->set("fail", true));
    // Force the pixels to be read, not just the header.
    image.avg();
    d = {true, image.width(), image.height()};
  } catch (const vips::VError&) {
  }
  return d;
}

TEST(Pictures, AddressesNameFormatSizeAndKind) {
  SandboxProcess& s = SandboxProcess::Frozen();
  ASSERT_TRUE(s.Running());
  struct Case {
    std::string path, type;
    int width, height;
    bool decodes;
    size_t maxBytes;
  } cases[] = {
      {"/pics/123456789012/1_500x375.jpg", "image/jpeg", 500, 375, true, 1 << 20},
      {"/pics/123456789012/2_300x300.png", "image/png", 300, 300, true, 1 << 20},
      {"/pics/123456789012/3_400x300.JPG?set_id=8800000042", "image/jpeg", 400, 300, true, 1 << 20},
      {"/pics/123456789012/4_60x40t.jpg", "image/jpeg", 60, 40, true, 1023},
      {"/pics/123456789012/g_96x72.jpg", "image/jpeg", 96, 72, true, 1 << 20},
      {"/pics/123456789012/5_500x375b.jpg", "image/jpeg", 0, 0, false, 1 << 20},
      {"/pics/123456789012/5_500x375b.png", "image/png", 0, 0, false, 1 << 20},
  };
  for (const Case& c : cases) {
    auto r = s.Client().Get(c.path);
    ASSERT_TRUE(r) << c.path;
    EXPECT_EQ(r->status, 200) << c.path;
    EXPECT_EQ(r->get_header_value("Content-Type"), c.type) << c.path;
    EXPECT_LE(r->body.size(), c.maxBytes) << c.path;
    Decoded d = Decode(r->body);
    EXPECT_EQ(d.ok, c.decodes) << c.path;
    EXPECT_EQ(d.width, c.width) << c.path;
    EXPECT_EQ(d.height, c.height) << c.path;
  }
  for (const char* bad : {"/pics/1/1_5000x5000.jpg", "/pics/1/1_0x10.jpg", "/pics/1/1_10x10.gif",
                          "/pics/x/1_10x10.jpg"}) {
    EXPECT_EQ(s.Client().Get(bad)->status, 404) << bad;
  }
}

TEST(Pictures, APictureIsTheSameEverywhereAndEveryTime) {
  SandboxProcess& s = SandboxProcess::Frozen();
  SandboxProcess other({"--port", "0", "--seed", "99", "--items-per-site", "10"});
  ASSERT_TRUE(s.Running() && other.Running());
  const std::string path = "/pics/120001234567/2_640x480.jpg";
  auto first = s.Client().Get(path), again = s.Client().Get(path),
       elsewhere = other.Client().Get(path);
  ASSERT_TRUE(first && again && elsewhere);
  EXPECT_EQ(first->body, again->body);
  EXPECT_EQ(first->body, elsewhere->body);
  EXPECT_NE(first->body, s.Client().Get("/pics/120001234567/3_640x480.jpg")->body);
}

TEST(Pictures, EveryAddressInAnswersResolves) {
  SandboxProcess& s = SandboxProcess::Frozen();
  ASSERT_TRUE(s.Running());
  XmlAnswer a(s.Call("FindItemsAdvanced",
                     "<MaxEntries>40</MaxEntries><IncludeSelector>Details</IncludeSelector>")
                  ->body);
  auto urls = a.Texts("//e:PictureURL | //e:GalleryURL");
  ASSERT_GT(urls.size(), 40u);
  int decoded = 0, tiny = 0;
  for (const auto& url : urls) {
    ASSERT_EQ(url.rfind(s.Address(), 0), 0u) << url;
    auto r = s.Client().Get(url.substr(s.Address().size() - 1));
    ASSERT_TRUE(r) << url;
    EXPECT_EQ(r->status, 200) << url;
    decoded += Decode(r->body).ok;
    tiny += r->body.size() < 1024;
  }
  EXPECT_GT(decoded, static_cast<int>(urls.size()) * 8 / 10);
  EXPECT_GT(tiny, 0);
}

}  // namespace
