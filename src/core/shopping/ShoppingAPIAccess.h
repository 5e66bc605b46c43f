#pragma once

#include <QByteArray>
#include <QString>

// The application id Quarn is registered with at eBay (36 characters).
inline constexpr const char* kBuiltInShoppingAppID = "Brisk7d21-f0c8-3b96-d7e4-2a8f39b10e7";

// How the program addresses the Shopping API; one process-wide instance.
class TShoppingAPIAccess {
 public:
  // Sent with every call; empty until start-up installs the built-in id.
  QByteArray AppID;
  QByteArray Namespace = "urn:ebay:apis:eBLBaseComponents";

  // The endpoint: AppCore().ShoppingApiUrl (command line, environment or the
  // built-in sandbox address), read at each call so a later change applies.
  QString URL() const;
};

TShoppingAPIAccess& ShoppingAPIAccess();

// Start-up step 3: stores the built-in application id.
void InstallShoppingApiAppID();
