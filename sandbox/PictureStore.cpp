#include "PictureStore.h"

#include <vips/vips8>

#include <cstdio>
#include <cstring>
#include <regex>
#include <vector>

#include "Random.h"

namespace {

constexpr size_t kCacheLimit = 64u << 20;

void InitVips() {
  static std::once_flag once;
  std::call_once(once, [] {
    VIPS_INIT("quarn-sandbox");
    vips_concurrency_set(1);  // pictures are small; the server's threads are enough
    vips_cache_set_max(0);
  });
}

std::string Encode(vips::VImage& image, bool png) {
  VipsBlob* blob =
      png ? image.pngsave_buffer(vips::VImage::option()->set("strip", true)->set("compression", 6))
          : image.jpegsave_buffer(vips::VImage::option()->set("strip", true)->set("Q", 80));
  size_t length = 0;
  const void* data = vips_blob_get(blob, &length);
  std::string out(static_cast<const char*>(data), length);
  vips_area_unref(VIPS_AREA(blob));
  return out;
}

}  // namespace

std::shared_ptr<const PictureStore::Picture> PictureStore::Get(const std::string& path) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = cache_.find(path);
    if (it != cache_.end()) return it->second;
  }
  static const std::regex pattern(
      R"(^(\d{1,20})/(g|\d{1,2})_(\d{1,4})x(\d{1,4})([tb]?)\.(jpg|JPG|jpeg|png|PNG)$)");
  std::smatch m;
  if (!std::regex_match(path, m, pattern)) return nullptr;
  int width = std::stoi(m[3]), height = std::stoi(m[4]);
  if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide) return nullptr;
  std::string ext = m[6];
  bool png = ext == "png" || ext == "PNG";
  auto picture = Render(path, width, height, m[5] == "t", m[5] == "b", png);
  if (!picture) return nullptr;
  std::lock_guard<std::mutex> lock(mutex_);
  if (cachedBytes_ + picture->bytes.size() > kCacheLimit) {
    cache_.clear();  // simple, and pictures are cheap to make again
    cachedBytes_ = 0;
  }
  if (cache_.emplace(path, picture).second) cachedBytes_ += picture->bytes.size();
  return picture;
}

std::shared_ptr<const PictureStore::Picture> PictureStore::Render(const std::string& path,
                                                                  int width, int height, bool flat,
                                                                  bool broken, bool png) {
  auto picture = std::make_shared<Picture>();
  picture->contentType = png ? "image/png" : "image/jpeg";
  uint64_t h = Rnd::HashText(path);
  if (broken) {
    // A believable start, then noise: loaders must fail, not crash.
    picture->bytes = png ? std::string("\x89PNG\r\n\x1a\n", 8)
                         : std::string("\xFF\xD8\xFF\xE0\x00\x10JFIF\x00", 11);
    Rnd::Stream r(h);
    for (int i = 0; i < 600; ++i)
      picture->bytes += static_cast<char>(r.Next() & 0xFF);
    return picture;
  }
  Rnd::Stream r(h);
  uint8_t a[3], b[3], c[3];
  for (int k = 0; k < 3; ++k) {
    a[k] = static_cast<uint8_t>(40 + r.Below(200));
    b[k] = static_cast<uint8_t>(40 + r.Below(200));
    c[k] = static_cast<uint8_t>(r.Below(256));
  }
  std::vector<uint8_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
  int cx = static_cast<int>(r.Below(static_cast<uint32_t>(width)));
  int cy = static_cast<int>(r.Below(static_cast<uint32_t>(height)));
  int radius = std::max(2, std::min(width, height) / 4);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      uint8_t* p =
          &pixels[(static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) *
                  3];
      if (flat) {
        std::memcpy(p, a, 3);
        continue;
      }
      double t = (static_cast<double>(x) / width + static_cast<double>(y) / height) / 2;
      bool inside = (x - cx) * (x - cx) + (y - cy) * (y - cy) < radius * radius;
      for (int k = 0; k < 3; ++k)
        p[k] = inside ? c[k] : static_cast<uint8_t>(a[k] + (b[k] - a[k]) * t);
    }
  }
  InitVips();
  try {
    vips::VImage image = vips::VImage::new_from_memory(pixels.data(), pixels.size(), width, height,
                                                       3, VIPS_FORMAT_UCHAR);
    picture->bytes = Encode(image, png);
  } catch (const vips::VError& e) {
    std::fprintf(stderr, "quarn-sandbox: cannot encode %s: %s\n", path.c_str(), e.what());
    return nullptr;
  }
  return picture;
}
