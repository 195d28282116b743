// The program's window services: the month calendar as date picker and the help book, with the
// plain file chooser and message boxes. Every window of the program is given them.
#pragma once

#include "widgets/plain_window_services.h"

namespace zrv {

struct Context;

class WxWindowServices : public PlainWindowServices {
 public:
  // `ctx` must outlive the services.
  explicit WxWindowServices(Context& ctx) : ctx_(ctx) {}

  // The calendar over `owner` on the month of `current`, with the appointments of the table in
  // use; nullopt when no other day was clicked.
  std::optional<Date> pickDate(wxWindow* owner, const Date& current) override;
  void showHelp(const std::string& topic) override;

 private:
  Context& ctx_;
};

}  // namespace zrv
