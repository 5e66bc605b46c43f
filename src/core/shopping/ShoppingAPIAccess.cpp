#include "core/shopping/ShoppingAPIAccess.h"

#include "core/app/AppCore.h"

QString TShoppingAPIAccess::URL() const {
  const QString& url = AppCore().ShoppingApiUrl;
  return url.isEmpty() ? QString::fromLatin1(kBuiltInShoppingApiUrl) : url;
}

TShoppingAPIAccess& ShoppingAPIAccess() {
  static TShoppingAPIAccess access;
  return access;
}

void InstallShoppingApiAppID() {
  ShoppingAPIAccess().AppID = kBuiltInShoppingAppID;
}
