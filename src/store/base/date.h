// A calendar date with an empty state, as the tables and the rules use it.
// An empty date compares below every real date; arithmetic on an empty date keeps it empty.
// Real dates lie between 01.01.0001 and 31.12.9999, the years a table's "YYYYMMDD" can hold:
// arithmetic that would leave them gives the empty date.
#pragma once

#include <compare>
#include <optional>
#include <string>
#include <string_view>

namespace zrv {

class Date {
 public:
  Date() = default;  // the empty date

  // A real date, or nullopt when year, month and day do not name one (31.02., month 13 ...).
  static std::optional<Date> fromYmd(int year, int month, int day);
  // "YYYYMMDD" as stored in tables and keys; blanks or anything unreadable give the empty date.
  static Date fromDtos(std::string_view text);
  // "dd.mm.yyyy"; anything unreadable gives the empty date.
  static Date fromDisplay(std::string_view text);
  static bool isValidYmd(int year, int month, int day);
  // Whether fromDtos reads `text` as a real date (cheaper than reading it).
  static bool isValidDtos(std::string_view text);

  bool empty() const { return !serial_; }
  int year() const;
  int month() const;
  int day() const;
  // Weekday number: 1 = Sunday, 2 = Monday ... 7 = Saturday; 0 for the empty date.
  int dow() const;
  // Days since 1 January 1970 (the date's serial number); only for real dates.
  long serial() const { return serial_.value_or(0); }
  // The empty date when `days` lies outside the years 1 to 9999.
  static Date fromSerial(long days);

  // "YYYYMMDD", or 8 blanks for the empty date.
  std::string dtos() const;
  // "dd.mm.yyyy", or "" for the empty date.
  std::string toDisplay() const;

  Date operator+(long days) const;
  Date operator-(long days) const { return *this + (-days); }
  // Days from other to this (this - other); 0 when either is empty.
  long operator-(const Date& other) const;

  friend bool operator==(const Date& a, const Date& b) = default;
  friend std::strong_ordering operator<=>(const Date& a, const Date& b) {
    if (a.empty() || b.empty()) return !a.empty() <=> !b.empty();
    return *a.serial_ <=> *b.serial_;
  }

 private:
  explicit Date(long serial) : serial_(serial) {}
  std::optional<long> serial_;
};

}  // namespace zrv
