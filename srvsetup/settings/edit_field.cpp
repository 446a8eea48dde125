#include "srvsetup/settings/edit_field.h"

#include <cstdio>

#include "srvsetup/settings/number_text.h"

bool FormatEditText(const ServerSettings& settings, const EditField* edit, char (&text)[kTextFieldSize]) {
  text[0] = '\0';
  if (edit == nullptr) return false;
  switch (edit->form) {
    case EditForm::Decimal:
      std::snprintf(text, sizeof text, "%d", static_cast<int>(settings.*edit->number));
      break;
    case EditForm::Text:
      CopyTextField(text, settings.*edit->text);
      break;
    case EditForm::Gravity:
      // Even the largest float fits: 39 digits, the point and two decimals.
      std::snprintf(text, sizeof text, "%.2f", static_cast<double>(settings.*edit->real));
      break;
  }
  return true;
}

bool ReadEditText(ServerSettings& settings, const EditField* edit, const char* text) {
  if (edit == nullptr) return false;
  switch (edit->form) {
    case EditForm::Decimal:
      settings.*edit->number = ParseDecimal(text);
      break;
    case EditForm::Text:
      CopyTextField(settings.*edit->text, text);
      break;
    case EditForm::Gravity:
      settings.*edit->real = ParseGravity(text);
      break;
  }
  return true;
}
