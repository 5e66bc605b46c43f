#include "core/search/ItemListTexts.h"

#include "core/app/AppCore.h"
#include "core/app/FormatText.h"
#include "core/app/LanguageTable.h"
#include "core/app/QuarnLib.h"
#include "core/search/ItemListColumns.h"
#include "core/shopping/Currency.h"
#include "core/shopping/SimpleItem.h"

namespace {

QString FormatPrice(TMoney value, const QLocale& locale) {
  return FormatText(AppCore().Config.PriceFormat, {Money::ToDouble(value)}, locale);
}

}  // namespace

QString TItemListTexts::Lang(const char* key) {
  return TranslateOrKey(QLatin1String(key));
}

QString TItemListTexts::GroupCountText(int count) {
  return QLatin1Char('(') + QString::number(count) + QLatin1Char(' ') + Lang("ITEM") +
         QLatin1Char(')');
}

QString TItemListTexts::PriceText(TMoney value, TMoney shipping, const QLocale& locale) {
  if (value <= 0) return Money::ToText(value);
  if (AppCore().Config.PriceWithShip && shipping > 0)
    return FormatPrice(value, locale) + QStringLiteral(" / ") +
           FormatPrice(value + shipping, locale);
  return FormatPrice(value, locale);
}

QString TItemListTexts::ShippingText(TMoney shipping, const QLocale& locale) {
  return shipping > 0 ? FormatPrice(shipping, locale) : QString();
}

QString TItemListTexts::WithCurrency(const QString& amount, TCurrencyCode currency) {
  if (amount.isEmpty()) return amount;
  const QString symbol = TCurrency::CurrencySymbol(currency);
  // A currency without a symbol (or an unknown one) gets no dangling blank.
  if (symbol.isEmpty()) return amount;
  if (AppCore().Config.ShowOnlyForeignCurrency && symbol == QStringLiteral("€")) return amount;
  return amount + QLatin1Char(' ') + symbol;
}

QString TItemListTexts::TimeLeftText(const QDateTime& end, const QDateTime& now) {
  if (!end.isValid()) return QString();
  // Whether the listing has ended is decided on the real end time: taking the
  // days and hours off first would call a listing that ends in exactly two
  // days "ended".
  const qint64 secs = now.secsTo(end);
  if (secs <= 0) return Lang("ILC_LEFT_ITEM_END");
  const qint64 days = secs / 86400;
  const qint64 hours = (secs % 86400) / 3600;
  const qint64 minutes = (secs % 3600) / 60;
  const QString format = Lang("ILC_LEFT_ITEM");
  return FormatText(format, {days, hours, minutes});
}

QString TItemListTexts::MomentText(const QDateTime& when, const QDateTime& now, bool dayName,
                                   const QLocale& locale) {
  if (!when.isValid()) return QString();
  const QString time = when.toString(QStringLiteral("hh:mm"));
  const char* relative = nullptr;
  if (QuarnLib::SameDay(when, now))
    relative = "TODAY";
  else if (QuarnLib::SameDay(when, now.addDays(1)))
    relative = "TOMORROW";
  else if (QuarnLib::SameDay(when, now.addDays(-1)))
    relative = "YESTERDAY";
  if (relative) return Lang(relative) + QLatin1Char(' ') + time;
  QString text = when.toString(QStringLiteral("dd.MM ")) + time;
  if (dayName)
    text = locale.dayName(when.date().dayOfWeek(), QLocale::ShortFormat) + QLatin1Char(' ') + text;
  return text;
}

QString TItemListTexts::LocationText(const TSimpleItem& item) {
  QString text = QString::fromUtf8(item.PostalCode);
  if (!item.Location.isEmpty()) {
    if (!text.isEmpty()) text += QLatin1Char(' ');
    text += item.Location;
  }
  if (!item.Country.isEmpty()) {
    if (!text.isEmpty()) text += QStringLiteral(" / ");
    text += item.Country;
  }
  return text;
}

QString TItemListTexts::HighBidderText(const TSimpleItem& item) {
  if (item.HighBidder.UserAnonymized) return QStringLiteral("- anonym -");
  return item.HighBidder.UserID;
}

QString TItemListTexts::StateText(const TSimpleItem& item) {
  switch (item.Condition) {
    case TItemCondition::New:
      return Lang("ITEM_STATE_NEW");
    case TItemCondition::Used:
      return Lang("ITEM_STATE_USED");
    default:
      return QString();
  }
}

QString TItemListTexts::CellText(const TSimpleItem& item, int column, const QDateTime& now,
                                 const QLocale& locale) {
  using C = TItemListColumns;
  switch (column) {
    case C::Number:
      return QString::fromLatin1(item.ItemID());
    case C::Title:
      return item.Title;
    case C::Bids:
      return item.IsAuction() ? QString::number(item.BidCount) : QString();
    case C::Price:
      if (!item.IsAuction()) return QString();
      return WithCurrency(PriceText(item.CurrentPrice, item.ShippingServiceCost, locale),
                          item.CurrencyID);
    case C::BuyItNow:
      if (!item.IsBuyItNow()) return QString();
      return WithCurrency(PriceText(item.BuyItNowPrice, item.ShippingServiceCost, locale),
                          item.CurrencyID);
    case C::Left:
      return TimeLeftText(item.EndTime, now);
    case C::Shipping:
      return WithCurrency(ShippingText(item.ShippingServiceCost, locale), item.CurrencyID);
    case C::Seller:
      return item.Seller.UserID;
    case C::HighBidder:
      return HighBidderText(item);
    case C::End:
      return MomentText(item.EndTime, now, AppCore().Config.ShowDayName, locale);
    case C::Location:
      return LocationText(item);
    case C::State:
      return StateText(item);
    case C::Listed:
      return MomentText(item.StartTime, now, false, locale);
    default:  // Dest, LocationInfo, Picture, Category: no text
      return QString();
  }
}
