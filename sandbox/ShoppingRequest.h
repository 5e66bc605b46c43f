#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

// A Shopping API error as eBay sends it in an "Errors" element.
struct ShoppingError {
  std::string shortMessage;
  std::string longMessage;
  std::string code;
  std::string parameter;  // becomes ErrorParameters/Value when set
  std::string classification = "RequestError";
  std::string severity = "Error";
};

// The parsed body of a Shopping API call: the call named by the root element
// and its direct children in eBay's namespace, in document order.
class ShoppingRequest {
 public:
  // Parses without network access, DTDs or entity expansion, within
  // libxml2's depth limit. False with an eBay-style error on any failure.
  bool Parse(std::string_view body, ShoppingError& error);

  const std::string& Call() const { return call_; }
  // First value of a child element, nullptr when absent.
  const std::string* First(std::string_view name) const;
  std::vector<std::string> All(std::string_view name) const;
  // The currencyID attribute of an amount element, empty when absent.
  std::string CurrencyOf(std::string_view name) const;

  static ShoppingError InvalidInput(const std::string& parameter);

 private:
  struct Field {
    std::string name;
    std::string text;
    std::string currency;
  };
  std::string call_;
  std::vector<Field> fields_;
};
