// An edit of a settings dialog as one table row: its control, the record field it holds, and so
// how the field is shown and read. Both settings dialogs describe their edits this way.
#pragma once

#include <cstddef>
#include <cstdint>

#include "srvsetup/settings/server_settings.h"

enum class EditForm {
  Decimal,  // shown as a signed decimal, read like strtol (ParseDecimal)
  Text,     // shown as it is, read up to 255 characters
  Gravity,  // shown with "%.2f", read like strtod and narrowed to a float (ParseGravity)
};

// Exactly the member that belongs to the form is set; the builders below keep it so.
struct EditField {
  int controlId;
  EditForm form;
  std::int32_t ServerSettings::*number;
  char (ServerSettings::*text)[kTextFieldSize];
  float ServerSettings::*real;
};

constexpr EditField DecimalEdit(int controlId, std::int32_t ServerSettings::*field) {
  return EditField{controlId, EditForm::Decimal, field, nullptr, nullptr};
}
constexpr EditField TextEdit(int controlId, char (ServerSettings::*field)[kTextFieldSize]) {
  return EditField{controlId, EditForm::Text, nullptr, field, nullptr};
}
constexpr EditField GravityEdit(int controlId, float ServerSettings::*field) {
  return EditField{controlId, EditForm::Gravity, nullptr, nullptr, field};
}

// The row of a table for a control; nullptr when the table has none. The size comes from the
// table itself, so it cannot disagree with the rows.
template <std::size_t Count>
constexpr const EditField* FindEdit(const EditField (&edits)[Count], int controlId) {
  for (const EditField& edit : edits) {
    if (edit.controlId == controlId) return &edit;
  }
  return nullptr;
}

// The text the edit shows for the record. False, with text empty, for no edit (nullptr).
bool FormatEditText(const ServerSettings& settings, const EditField* edit, char (&text)[kTextFieldSize]);

// Stores an edit's text into its field as its form reads it. False, nothing changed, for no edit.
bool ReadEditText(ServerSettings& settings, const EditField* edit, const char* text);
