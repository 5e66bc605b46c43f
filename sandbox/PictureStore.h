#pragma once

#include <cstddef>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>

// Listing pictures at stable addresses: "<item>/<n>_<w>x<h><flags>.<ext>"
// below /pics/ ("g" instead of n for the gallery picture). The picture is a
// pure function of its address: JPEG or PNG of that size; flag "t" makes a
// flat one that stays under 1 KB, flag "b" a broken one (a valid signature
// followed by noise). Generated once, then served from memory.
class PictureStore {
 public:
  struct Picture {
    std::string bytes;
    std::string contentType;
  };

  // nullptr when the path is not a picture address.
  std::shared_ptr<const Picture> Get(const std::string& path);

  static constexpr int kMaxSide = 1600;

 private:
  std::shared_ptr<const Picture> Render(const std::string& path, int width, int height, bool flat,
                                        bool broken, bool png);

  std::mutex mutex_;
  std::unordered_map<std::string, std::shared_ptr<const Picture>> cache_;
  size_t cachedBytes_ = 0;
};
