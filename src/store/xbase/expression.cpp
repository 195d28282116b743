// Evaluation of compiled expressions. Types are checked when compiling, so every node here
// knows its operands' types and nothing can fail.
#include "store/xbase/expression.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>

#include "store/base/ascii_case.h"
#include "store/xbase/expression_program.h"
#include "store/xbase/field_codec.h"
#include "store/xbase/xbase_layout.h"

namespace zrv {
namespace {

constexpr char kDigits[] = "0123456789";

// Harbour's comparison of texts with SET EXACT OFF: equal when `b` is a prefix of `a`.
int compareText(std::string_view a, std::string_view b) {
  const std::size_t n = std::min(a.size(), b.size());
  const int r = n ? std::memcmp(a.data(), b.data(), n) : 0;
  if (r != 0) return r < 0 ? -1 : 1;
  return b.size() > a.size() ? -1 : 0;
}

bool applyCmp(CmpOp op, int r) {
  switch (op) {
    case CmpOp::kEq:
    case CmpOp::kExactEq:
      return r == 0;
    case CmpOp::kNe:
      return r != 0;
    case CmpOp::kLt:
      return r < 0;
    case CmpOp::kLe:
      return r <= 0;
    case CmpOp::kGt:
      return r > 0;
    case CmpOp::kGe:
      return r >= 0;
  }
  return false;
}

template <class T>
int threeWay(const T& a, const T& b) {
  return a < b ? -1 : (b < a ? 1 : 0);
}

void appendDtos(const Date& d, std::string& out) {
  if (d.empty()) {
    out.append(8, ' ');
    return;
  }
  int y = d.year(), m = d.month(), day = d.day();
  char buf[8];
  for (int i = 3; i >= 0; --i, y /= 10)
    buf[i] = kDigits[y % 10];
  buf[4] = kDigits[m / 10];
  buf[5] = kDigits[m % 10];
  buf[6] = kDigits[day / 10];
  buf[7] = kDigits[day % 10];
  out.append(buf, 8);
}

void appendNumber(double v, int width, int decimals, std::string& out) {
  std::string text;
  if (field::formatNumber(v, width, decimals, text)) {
    out += text;
  } else {
    out.append(static_cast<std::size_t>(std::max(width, 1)), '*');
  }
}

// substr() with Clipper's start rules: 1-based; 0 counts as 1; negative from the end.
std::string_view substrOf(std::string_view s, long start, long count) {
  const long len = static_cast<long>(s.size());
  if (start < 0) start = std::max(0L, len + start + 1);
  if (start == 0) start = 1;
  if (start > len || count <= 0) return {};
  return s.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(count));
}

// A stored date against a real date given as "YYYYMMDD", with the result of
// parseDate(stored) <=> date: eight digits of a real date order as their text does, and
// anything else reads as the empty date, below every real date. Only a text above `known`
// needs reading.
int compareStoredDate(std::string_view stored, std::string_view known) {
  if (stored.size() != 8 || known.size() != 8) return -1;
  const std::uint64_t a = xbase::orderedPrefix8(stored.data()),
                      b = xbase::orderedPrefix8(known.data());
  if (a == b) return 0;
  return a > b && Date::isValidDtos(stored) ? 1 : -1;
}

class Evaluator {
 public:
  Evaluator(const ExprProgram& p, std::string_view rec, const ExprToday& today)
      : p_(p), rec_(rec), today_(today) {}

  bool logical(int i) const {
    const ExprNode& n = p_.nodes[i];
    switch (n.op) {
      case ExprOp::kConst:
        return std::get<bool>(n.constant);
      case ExprOp::kField:
        return field::parseLogical(raw(n));
      case ExprOp::kNot:
        return !logical(n.a);
      case ExprOp::kAnd:
        return logical(n.a) && logical(n.b);
      case ExprOp::kOr:
        return logical(n.a) || logical(n.b);
      case ExprOp::kCompare:
        return compare(n);
      case ExprOp::kContains: {
        std::string a, b;
        text(n.a, a);
        text(n.b, b);
        return b.find(a) != std::string::npos;
      }
      default:
        return false;
    }
  }

  double number(int i) const {
    const ExprNode& n = p_.nodes[i];
    switch (n.op) {
      case ExprOp::kConst:
        return std::get<double>(n.constant);
      case ExprOp::kField:
        return field::parseNumber(raw(n));
      case ExprOp::kMonth:
        return dateParts(n.a).m;
      case ExprOp::kYear:
        return dateParts(n.a).y;
      case ExprOp::kDay:
        return dateParts(n.a).d;
      case ExprOp::kVal: {
        std::string s;
        text(n.a, s);
        return field::parseNumber(s);
      }
      case ExprOp::kAddNum:
        return number(n.a) + number(n.b);
      case ExprOp::kSubNum:
        return number(n.a) - number(n.b);
      case ExprOp::kMul:
        return number(n.a) * number(n.b);
      case ExprOp::kDiv: {
        const double d = number(n.b);
        return d == 0.0 ? 0.0 : number(n.a) / d;
      }
      case ExprOp::kMod: {
        const double d = number(n.b);
        return d == 0.0 ? 0.0 : std::fmod(number(n.a), d);
      }
      case ExprOp::kNeg:
        return -number(n.a);
      case ExprOp::kDiffDays:
        return static_cast<double>(date(n.a) - date(n.b));
      default:
        return 0.0;
    }
  }

  struct DateParts {
    int y = 0, m = 0, d = 0;  // all 0 for the empty date
  };
  // Year, month and day of a date operand. A stored date is read from its digits directly, not
  // through a day count: month() of a field is evaluated for every record of an index build.
  DateParts dateParts(int i) const {
    const ExprNode& n = p_.nodes[i];
    if (n.op == ExprOp::kField) {
      const std::string_view t = raw(n);
      DateParts p;
      if (t.size() == 8 && digitsOf(t.substr(0, 4), p.y) && digitsOf(t.substr(4, 2), p.m) &&
          digitsOf(t.substr(6, 2), p.d) && Date::isValidYmd(p.y, p.m, p.d)) {
        return p;
      }
      return {};
    }
    const Date d = date(i);
    return {d.year(), d.month(), d.day()};
  }

  static bool digitsOf(std::string_view text, int& value) {
    value = 0;
    for (char c : text) {
      if (c < '0' || c > '9') return false;
      value = value * 10 + (c - '0');
    }
    return true;
  }

  Date date(int i) const {
    const ExprNode& n = p_.nodes[i];
    switch (n.op) {
      case ExprOp::kConst:
        return std::get<Date>(n.constant);
      case ExprOp::kField:
        return field::parseDate(raw(n));
      case ExprOp::kToday:
        return today_.date();
      case ExprOp::kAddDays:
        return date(n.a) + static_cast<long>(std::floor(number(n.b)));
      case ExprOp::kSubDays:
        return date(n.a) - static_cast<long>(std::floor(number(n.b)));
      default:
        return Date();
    }
  }

  // Whether the record passes one test of a chain of .and. (as logical(t.node) would say).
  bool passes(const ExprTerm& t) const {
    switch (t.kind) {
      case ExprTerm::Kind::kLogicalField:
        return field::parseLogical(raw(t.offset, t.width)) != t.negated;
      case ExprTerm::Kind::kDateToday: {
        const std::string_view today = today_.dtos();
        if (today.empty()) break;
        const std::string_view stored = raw(t.offset, t.width);
        if (t.cmp == CmpOp::kEq || t.cmp == CmpOp::kExactEq || t.cmp == CmpOp::kNe) {
          // A real date equals only itself.
          const bool equal = stored.size() == 8 && xbase::orderedPrefix8(stored.data()) ==
                                                       xbase::orderedPrefix8(today.data());
          return equal != (t.cmp == CmpOp::kNe);
        }
        const int r = compareStoredDate(stored, today);
        return applyCmp(t.cmp, t.swapped ? -r : r);
      }
      case ExprTerm::Kind::kNumberConst: {
        const double v = field::parseNumber(raw(t.offset, t.width));
        return applyCmp(t.cmp, t.swapped ? threeWay(t.number, v) : threeWay(v, t.number));
      }
      case ExprTerm::Kind::kNode:
        break;
    }
    return logical(t.node);
  }

  // Appends the text value of node i to out.
  void text(int i, std::string& out) const {
    const ExprNode& n = p_.nodes[i];
    switch (n.op) {
      case ExprOp::kConst:
        out += std::get<std::string>(n.constant);
        return;
      case ExprOp::kField: {
        const std::string_view r = raw(n);
        if (r.empty()) {
          out.append(n.width, ' ');
        } else {
          out.append(r);
        }
        return;
      }
      case ExprOp::kDtos:
        dtos(n, out);
        return;
      case ExprOp::kStr:
        appendNumber(number(n.a), n.numWidth, n.numDecimals, out);
        return;
      case ExprOp::kConcat:
        text(n.a, out);
        text(n.b, out);
        return;
      case ExprOp::kConcatTrim: {
        std::string a;
        text(n.a, a);
        const std::size_t blanks = a.size() - field::trimRight(a).size();
        a.resize(a.size() - blanks);
        out += a;
        text(n.b, out);
        out.append(blanks, ' ');
        return;
      }
      default:
        transformed(n, out);
    }
  }

 private:
  std::string_view raw(const ExprNode& n) const { return raw(n.offset, n.width); }
  std::string_view raw(std::uint32_t offset, std::uint32_t width) const {
    if (offset + width > rec_.size()) return {};
    return rec_.substr(offset, width);
  }

  void dtos(const ExprNode& n, std::string& out) const {
    const ExprNode& arg = p_.nodes[n.a];
    if (arg.op == ExprOp::kField) {
      // A stored date is already YYYYMMDD; only an unreadable one turns into blanks.
      const std::string_view r = raw(arg);
      if (Date::isValidDtos(r)) {
        out.append(r);
      } else {
        out.append(8, ' ');
      }
      return;
    }
    appendDtos(date(n.a), out);
  }

  // Functions of one text.
  void transformed(const ExprNode& n, std::string& out) const {
    std::string s;
    text(n.a, s);
    std::string_view v = s;
    switch (n.op) {
      case ExprOp::kUpper:
        for (char& c : s)
          c = asciiUpper(c);
        break;
      case ExprOp::kLower:
        for (char& c : s)
          c = asciiLower(c);
        break;
      case ExprOp::kRtrim:
        v = field::trimRight(v);
        break;
      case ExprOp::kLtrim:
        v.remove_prefix(std::min(v.find_first_not_of(' '), v.size()));
        break;
      case ExprOp::kAlltrim:
        v.remove_prefix(std::min(v.find_first_not_of(' '), v.size()));
        v = field::trimRight(v);
        break;
      case ExprOp::kSubstr:
        v = substrOf(v, static_cast<long>(number(n.b)),
                     n.c >= 0 ? static_cast<long>(number(n.c)) : static_cast<long>(v.size()));
        break;
      case ExprOp::kLeft:
        v = v.substr(0, static_cast<std::size_t>(std::max(0.0, number(n.b))));
        break;
      case ExprOp::kRight: {
        const auto k = static_cast<std::size_t>(std::max(0.0, number(n.b)));
        v = v.substr(v.size() - std::min(k, v.size()));
        break;
      }
      default:
        break;
    }
    out.append(v);
  }

  bool compare(const ExprNode& n) const {
    switch (n.operandType) {
      case ValueType::kChar: {
        std::string a, b;
        text(n.a, a);
        text(n.b, b);
        if (n.cmp == CmpOp::kExactEq) return a == b;
        return applyCmp(n.cmp, compareText(a, b));
      }
      case ValueType::kNumber:
        return applyCmp(n.cmp, threeWay(number(n.a), number(n.b)));
      case ValueType::kDate: {
        if (const std::optional<int> r = storedAgainstToday(n)) return applyCmp(n.cmp, *r);
        const auto r = date(n.a) <=> date(n.b);
        return applyCmp(n.cmp, r < 0 ? -1 : (r > 0 ? 1 : 0));
      }
      case ValueType::kLogical:
        return applyCmp(n.cmp, threeWay(logical(n.a), logical(n.b)));
    }
    return false;
  }

  // A date field compared with date() (the conditions of the day indexes, evaluated for every
  // record when they are built): the field's bytes against today's, nothing parsed.
  std::optional<int> storedAgainstToday(const ExprNode& n) const {
    const ExprNode& a = p_.nodes[n.a];
    const ExprNode& b = p_.nodes[n.b];
    const std::string_view today = today_.dtos();
    if (today.empty()) return std::nullopt;
    if (a.op == ExprOp::kField && b.op == ExprOp::kToday) return compareStoredDate(raw(a), today);
    if (a.op == ExprOp::kToday && b.op == ExprOp::kField) return -compareStoredDate(raw(b), today);
    return std::nullopt;
  }

  const ExprProgram& p_;
  std::string_view rec_;
  const ExprToday& today_;
};

// The test node `i` stands for, read from its operands where it is one of the common kinds.
ExprTerm termOf(const ExprProgram& p, int i) {
  const ExprNode& n = p.nodes[i];
  ExprTerm t;
  t.node = i;
  const auto useField = [&t](const ExprNode& f) {
    t.offset = f.offset;
    t.width = f.width;
  };
  if (n.op == ExprOp::kField) {
    t.kind = ExprTerm::Kind::kLogicalField;
    useField(n);
  } else if (n.op == ExprOp::kNot && p.nodes[n.a].op == ExprOp::kField) {
    t.kind = ExprTerm::Kind::kLogicalField;
    t.negated = true;
    useField(p.nodes[n.a]);
  } else if (n.op == ExprOp::kCompare) {
    const ExprNode& a = p.nodes[n.a];
    const ExprNode& b = p.nodes[n.b];
    t.cmp = n.cmp;
    t.swapped = a.op != ExprOp::kField;
    const ExprNode& f = t.swapped ? b : a;
    const ExprNode& other = t.swapped ? a : b;
    if (f.op != ExprOp::kField) return t;
    if (n.operandType == ValueType::kDate && other.op == ExprOp::kToday) {
      t.kind = ExprTerm::Kind::kDateToday;
      useField(f);
    } else if (n.operandType == ValueType::kNumber && other.op == ExprOp::kConst) {
      t.kind = ExprTerm::Kind::kNumberConst;
      t.number = std::get<double>(other.constant);
      useField(f);
    }
  }
  return t;
}

void collectTerms(ExprProgram& p, int i) {
  const ExprNode& n = p.nodes[i];
  if (n.op == ExprOp::kAnd) {
    collectTerms(p, n.a);
    collectTerms(p, n.b);
    return;
  }
  p.terms.push_back(termOf(p, i));
}

}  // namespace

void planTerms(ExprProgram& p) {
  p.terms.clear();
  collectTerms(p, p.root);
}

ExprToday::ExprToday(const Date& date) : date_(date) {
  if (date_.empty() || date_.year() < 1 || date_.year() > 9999) return;
  std::memcpy(dtos_, field::formatDate(date_).data(), sizeof dtos_);
  dtosSize_ = sizeof dtos_;
}

const std::string& Expression::text() const {
  return program_->text;
}

ValueType Expression::type() const {
  return program_->nodes[program_->root].type;
}

int Expression::numericWidth() const {
  return program_->nodes[program_->root].numWidth;
}

int Expression::numericDecimals() const {
  return program_->nodes[program_->root].numDecimals;
}

Value Expression::evaluate(std::string_view record, const ExprToday& today) const {
  const Evaluator e(*program_, record, today);
  const int r = program_->root;
  switch (type()) {
    case ValueType::kChar: {
      std::string s;
      e.text(r, s);
      return s;
    }
    case ValueType::kNumber:
      return e.number(r);
    case ValueType::kDate:
      return e.date(r);
    case ValueType::kLogical:
      return e.logical(r);
  }
  return false;
}

bool Expression::isTrue(std::string_view record, const ExprToday& today) const {
  if (type() != ValueType::kLogical) return false;
  const Evaluator e(*program_, record, today);
  for (const ExprTerm& t : program_->terms) {
    if (!e.passes(t)) return false;
  }
  return true;
}

void Expression::evaluateText(std::string_view record, const ExprToday& today,
                              std::string& out) const {
  out.clear();
  if (type() == ValueType::kChar) Evaluator(*program_, record, today).text(program_->root, out);
}

}  // namespace zrv
