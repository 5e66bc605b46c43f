#pragma once

#include <map>
#include <string>
#include <vector>

// The element order of eBay's Shopping API types, read from the schema
// extract in the shared reference data.
class SchemaOrder {
 public:
  bool Load(const std::string& path);
  const std::vector<std::string>& Type(const std::string& name) const;
  // Empty when the names are all elements of the type and follow its order
  // (repeats allowed); otherwise what is wrong.
  std::string Check(const std::string& type, const std::vector<std::string>& names) const;

 private:
  std::map<std::string, std::vector<std::string>> types_;
};
