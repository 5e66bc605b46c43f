#include "core/shopping/Currency.h"

QString TCurrency::CurrencySymbol(TCurrencyCode code) {
  switch (code) {
    case TCurrencyCode::AUD:
      return QStringLiteral("AU-$");
    case TCurrencyCode::CAD:
      return QStringLiteral("C-$");
    case TCurrencyCode::CHF:
      return QStringLiteral("SFr.");
    case TCurrencyCode::EUR:
      return QStringLiteral("€");
    case TCurrencyCode::GBP:
      return QStringLiteral("£");
    case TCurrencyCode::HKD:
      return QStringLiteral("HK-$");
    case TCurrencyCode::INR:
      return QStringLiteral("iR");
    case TCurrencyCode::MYR:
      return QStringLiteral("RM");
    case TCurrencyCode::PLN:
      return QStringLiteral("zł");
    case TCurrencyCode::SEK:
      return QStringLiteral("Skr");
    case TCurrencyCode::SGD:
      return QStringLiteral("S-$");
    case TCurrencyCode::TWD:
      return QStringLiteral("NT-$");
    case TCurrencyCode::USD:
      return QStringLiteral("US-$");
    case TCurrencyCode::PHP:
    case TCurrencyCode::NotSet:
      break;
  }
  return QString();
}

TCurrencyCode TCurrency::SiteCurrency(int siteID) {
  switch (siteID) {
    case 0:
    case 100:
      return TCurrencyCode::USD;
    case 2:
      return TCurrencyCode::CAD;
    case 3:
      return TCurrencyCode::GBP;
    case 15:
      return TCurrencyCode::AUD;
    case 16:
    case 23:
    case 71:
    case 77:
    case 101:
    case 123:
    case 146:
    case 186:
    case 205:
      return TCurrencyCode::EUR;
    case 193:
      return TCurrencyCode::CHF;
    case 201:
      return TCurrencyCode::HKD;
    case 203:
      return TCurrencyCode::INR;
    case 207:
      return TCurrencyCode::MYR;
    case 211:
      return TCurrencyCode::PHP;
    case 212:
      return TCurrencyCode::PLN;
    case 216:
      return TCurrencyCode::SGD;
    case 218:
      return TCurrencyCode::SEK;
    default:
      return TCurrencyCode::NotSet;
  }
}
