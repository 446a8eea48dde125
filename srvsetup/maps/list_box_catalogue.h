// The catalogue that a map dialog shows: the items of an unsorted list box, with an index beside
// them so that Contains does not fetch every item.
#pragma once

#include <windows.h>

#include "srvsetup/maps/map_catalogue.h"

// The index holds each item as the list box gives it back, so Contains answers exactly what a
// comparison with every item would. When the item count differs from what the index has seen
// (the list was changed by other hands), the index is rebuilt from the list before answering.
class ListBoxCatalogue final : public MapCatalogue {
 public:
  // Indexes the items the list already holds.
  explicit ListBoxCatalogue(HWND listBox);

  void Clear() override;                     // LB_RESETCONTENT
  bool Contains(const char* name) override;  // one LB_GETCOUNT, then the index
  void Append(const char* name) override;    // LB_ADDSTRING, then the stored item is indexed
  // A list box updates its scroll range and display after every added item, even while hidden,
  // at several times the cost of the scan's own work: redraw is off during a scan, and the list
  // is brought up to date and repainted after it.
  void BeginUpdate() override;
  void EndUpdate() override;

 private:
  void Reindex();
  bool ReadItem(LRESULT index, std::string& text) const;

  HWND listBox_;
  MapNameIndex index_;
  LRESULT indexedCount_ = 0;  // items of the list that the index has seen
  std::string item_;          // reused buffer for item texts
};
