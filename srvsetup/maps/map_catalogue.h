// The catalogue of map names that a map dialog offers for one game type: an ordered list of
// distinct names, compared byte for byte and case-sensitively ("DM/a" and "dm/a" are two names).
// The scans reach it only through Clear, Contains and Append, and bracket their work with
// BeginUpdate and EndUpdate.
#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

constexpr std::size_t kMapNameSize = 256;  // a map name: at most 255 characters and a NUL

class MapCatalogue {
 public:
  virtual ~MapCatalogue() = default;

  // Removes every item.
  virtual void Clear() = 0;
  // True when some item equals the name byte for byte: the answer a comparison with every item
  // in turn would give, found through an index in constant time.
  virtual bool Contains(const char* name) = 0;
  // Adds the name after the last item. The scans append only names that Contains denies.
  virtual void Append(const char* name) = 0;

  // Each scan brackets its work with these, so that a list on screen can hold its repainting
  // until the names are in. Nothing by default.
  virtual void BeginUpdate() {}
  virtual void EndUpdate() {}
};

// Brackets a scope with BeginUpdate and EndUpdate.
class CatalogueUpdate {
 public:
  explicit CatalogueUpdate(MapCatalogue& catalogue) : catalogue_(catalogue) { catalogue_.BeginUpdate(); }
  ~CatalogueUpdate() { catalogue_.EndUpdate(); }
  CatalogueUpdate(const CatalogueUpdate&) = delete;
  CatalogueUpdate& operator=(const CatalogueUpdate&) = delete;

 private:
  MapCatalogue& catalogue_;
};

// The catalogue's contains operation, by the name the scans use.
bool ListContains(MapCatalogue& catalogue, const char* name);

// The set of texts held beside a list, so that a lookup does not walk the list.
// Each text is stored once; lookups by view need no allocation. Insert costs amortised constant
// time, Contains constant time on average.
class MapNameIndex {
 public:
  void Clear();
  bool Contains(std::string_view text) const;
  void Insert(std::string_view text);
  std::size_t Size() const { return views_.size(); }

 private:
  std::deque<std::string> texts_;  // a deque never moves its elements, so the views stay valid
  std::unordered_set<std::string_view> views_;
};

// A catalogue in memory, in insertion order: the test bed's stand-in for the list box.
class OrderedCatalogue final : public MapCatalogue {
 public:
  void Clear() override;
  bool Contains(const char* name) override;
  void Append(const char* name) override;

  const std::vector<std::string>& Items() const { return items_; }

 private:
  std::vector<std::string> items_;
  MapNameIndex index_;
};
