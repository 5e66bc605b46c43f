#include "SchemaOrder.h"

#include <algorithm>
#include <fstream>
#include <sstream>

bool SchemaOrder::Load(const std::string& path) {
  std::ifstream in(path);
  std::string line, current;
  while (std::getline(in, line)) {
    if (line.size() > 2 && line[0] == '[' && line.back() == ']') {
      current = line.substr(1, line.size() - 2);
      types_[current];
      continue;
    }
    if (current.empty() || line.empty() || line[0] == '#') continue;
    std::istringstream words(line);
    std::string name;
    words >> name;
    if (!name.empty() && name[0] != '@' && name != "anyType") types_[current].push_back(name);
  }
  return !types_.empty();
}

const std::vector<std::string>& SchemaOrder::Type(const std::string& name) const {
  static const std::vector<std::string> none;
  auto it = types_.find(name);
  return it == types_.end() ? none : it->second;
}

std::string SchemaOrder::Check(const std::string& type,
                               const std::vector<std::string>& names) const {
  const auto& order = Type(type);
  if (order.empty()) return "no type " + type;
  size_t last = 0;
  for (const std::string& n : names) {
    auto it = std::find(order.begin(), order.end(), n);
    if (it == order.end()) return n + " is not an element of " + type;
    size_t index = static_cast<size_t>(it - order.begin());
    if (index < last) return n + " comes after " + order[last] + " in " + type;
    last = index;
  }
  return "";
}
