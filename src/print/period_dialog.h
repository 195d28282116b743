// The period dialog "SET_PRINT" of PRINTDEFINED: "vom" (101) and "bis" (102) as date fields,
// "&OK" (901) and "&Abbrechen" (999). "&OK" closes it only on a sound period; otherwise the user
// is told why and the field to correct keeps the focus. "&Abbrechen", Escape and the close box
// end it without a period.
#pragma once

#include <optional>

#include "ports/print_port.h"
#include "widgets/box_dialog.h"
#include "widgets/dialog_look.h"

class wxButton;

namespace zrv {

class TBmpGet;
class UserInterface;

inline constexpr int kPeriodFromId = 101;
inline constexpr int kPeriodToId = 102;
inline constexpr int kPeriodOkId = 901;
inline constexpr int kPeriodCancelId = 999;

class PeriodDialog : public BoxDialog {
 public:
  PeriodDialog(wxWindow* parent, const PrintPeriod& start, UserInterface& ui,
               const EntryColours& colours);

  TBmpGet* fromField() const { return from_; }
  TBmpGet* toField() const { return to_; }
  wxButton* okButton() const { return ok_; }
  // The period after "&OK"; nullopt until then.
  const std::optional<PrintPeriod>& result() const { return result_; }
  // What "&OK" does: false (told) when the entries make no period.
  bool confirm();

 private:
  TBmpGet* dateField(int id, int row, const Date& value, const EntryColours& colours);

  UserInterface& ui_;
  TBmpGet* from_ = nullptr;
  TBmpGet* to_ = nullptr;
  wxButton* ok_ = nullptr;
  std::optional<PrintPeriod> result_;
};

// The program's period question: the dialog, modal, centred on `parent`.
class WxPrintPeriod : public PrintPeriodPort {
 public:
  WxPrintPeriod(wxWindow* parent, UserInterface& ui, const EntryColours& colours)
      : parent_(parent), ui_(ui), colours_(colours) {}
  std::optional<PrintPeriod> askPeriod(const Date& from, const Date& to) override;

 private:
  wxWindow* parent_;
  UserInterface& ui_;
  EntryColours colours_;
};

}  // namespace zrv
