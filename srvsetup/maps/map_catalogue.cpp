#include "srvsetup/maps/map_catalogue.h"

bool ListContains(MapCatalogue& catalogue, const char* name) { return catalogue.Contains(name); }

void MapNameIndex::Clear() {
  views_.clear();
  texts_.clear();
}

bool MapNameIndex::Contains(std::string_view text) const { return views_.count(text) != 0; }

void MapNameIndex::Insert(std::string_view text) {
  if (Contains(text)) return;
  texts_.emplace_back(text);
  views_.insert(texts_.back());
}

void OrderedCatalogue::Clear() {
  items_.clear();
  index_.Clear();
}

bool OrderedCatalogue::Contains(const char* name) { return index_.Contains(name); }

void OrderedCatalogue::Append(const char* name) {
  items_.emplace_back(name);
  index_.Insert(name);
}
