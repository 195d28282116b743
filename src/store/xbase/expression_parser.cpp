// Compiling an expression: tokens, a recursive-descent parser by precedence (.or. < .and. <
// .not. < comparison < + - < * / % < unary minus), and a type check of every node against the
// table's fields.
#include <algorithm>
#include <cctype>
#include <optional>

#include "store/base/ascii_case.h"
#include "store/base/codepage.h"
#include "store/xbase/expression.h"
#include "store/xbase/expression_program.h"

namespace zrv {
namespace {

enum class Tok { kEnd, kIdent, kNumber, kString, kTrue, kFalse, kAnd, kOr, kNot, kArrow, kOp };

struct Token {
  Tok kind = Tok::kEnd;
  std::string text;  // identifier (upper case), operator, literal text
  std::size_t pos = 0;
};

// Thrown inside the parser only; compile() turns it into a Status.
struct ParseError {
  std::string detail;
};

class Lexer {
 public:
  explicit Lexer(std::string_view s) : s_(s) {}

  Token next() {
    while (i_ < s_.size() && std::isspace(static_cast<unsigned char>(s_[i_])))
      ++i_;
    Token t;
    t.pos = i_ + 1;
    if (i_ >= s_.size()) return t;
    const char c = s_[i_];
    if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') return ident(t);
    if (std::isdigit(static_cast<unsigned char>(c)) ||
        (c == '.' && i_ + 1 < s_.size() && std::isdigit(static_cast<unsigned char>(s_[i_ + 1])))) {
      return number(t);
    }
    if (c == '"' || c == '\'') return string(t, c);
    if (c == '.') return dotted(t);
    return op(t);
  }

 private:
  Token ident(Token t) {
    const std::size_t start = i_;
    while (i_ < s_.size() && (std::isalnum(static_cast<unsigned char>(s_[i_])) || s_[i_] == '_')) {
      ++i_;
    }
    t.kind = Tok::kIdent;
    t.text = asciiUpper(s_.substr(start, i_ - start));
    return t;
  }

  Token number(Token t) {
    const std::size_t start = i_;
    while (i_ < s_.size() && (std::isdigit(static_cast<unsigned char>(s_[i_])) || s_[i_] == '.')) {
      // "1.and." must not swallow the dot of .and.
      if (s_[i_] == '.' &&
          (i_ + 1 >= s_.size() || !std::isdigit(static_cast<unsigned char>(s_[i_ + 1])))) {
        break;
      }
      ++i_;
    }
    t.kind = Tok::kNumber;
    t.text = std::string(s_.substr(start, i_ - start));
    return t;
  }

  Token string(Token t, char quote) {
    const std::size_t end = s_.find(quote, i_ + 1);
    if (end == std::string_view::npos)
      throw ParseError{"eine Zeichenkette ist nicht abgeschlossen"};
    t.kind = Tok::kString;
    t.text = std::string(s_.substr(i_ + 1, end - i_ - 1));
    i_ = end + 1;
    return t;
  }

  // .T. .F. .Y. .N. .AND. .OR. .NOT.
  Token dotted(Token t) {
    const std::size_t end = s_.find('.', i_ + 1);
    if (end == std::string_view::npos) throw ParseError{"ein Punkt steht allein"};
    const std::string word = asciiUpper(s_.substr(i_ + 1, end - i_ - 1));
    i_ = end + 1;
    if (word == "T" || word == "Y") {
      t.kind = Tok::kTrue;
    } else if (word == "F" || word == "N") {
      t.kind = Tok::kFalse;
    } else if (word == "AND") {
      t.kind = Tok::kAnd;
    } else if (word == "OR") {
      t.kind = Tok::kOr;
    } else if (word == "NOT") {
      t.kind = Tok::kNot;
    } else {
      throw ParseError{"unbekannter Operator ." + word + "."};
    }
    t.text = word;
    return t;
  }

  Token op(Token t) {
    static const char* const kTwo[] = {"->", "==", "<=", ">=", "<>", "!="};
    for (const char* two : kTwo) {
      if (s_.substr(i_, 2) == two) {
        i_ += 2;
        t.kind = std::string_view(two) == "->" ? Tok::kArrow : Tok::kOp;
        t.text = two;
        return t;
      }
    }
    const char c = s_[i_];
    if (std::string_view("+-*/%()=<>#$!,").find(c) == std::string_view::npos) {
      throw ParseError{"unerwartetes Zeichen '" + std::string(1, c) + "' an Stelle " +
                       std::to_string(i_ + 1)};
    }
    ++i_;
    t.kind = c == '!' ? Tok::kNot : Tok::kOp;
    t.text = std::string(1, c);
    return t;
  }

  std::string_view s_;
  std::size_t i_ = 0;
};

const char* typeName(ValueType t) {
  switch (t) {
    case ValueType::kChar:
      return "Text";
    case ValueType::kNumber:
      return "Zahl";
    case ValueType::kDate:
      return "Datum";
    case ValueType::kLogical:
      return "logischer Wert";
  }
  return "?";
}

class Parser {
 public:
  Parser(std::string_view text, const Structure& fields, std::string_view alias,
         const ExprVariables& vars, ExprProgram& out)
      : lex_(text), fields_(fields), alias_(asciiUpper(alias)), vars_(vars), p_(out) {
    offsets_.reserve(fields.size());
    std::uint32_t off = 1;
    for (const FieldDef& f : fields) {
      offsets_.push_back(off);
      off += static_cast<std::uint32_t>(f.width);
    }
    advance();
  }

  int parse() {
    const int root = orExpr();
    if (tok_.kind != Tok::kEnd) fail("unerwartetes \"" + tok_.text + "\" an Stelle " + pos());
    return root;
  }

 private:
  [[noreturn]] void fail(const std::string& d) { throw ParseError{d}; }
  std::string pos() const { return std::to_string(tok_.pos); }
  void advance() { tok_ = lex_.next(); }
  bool isOp(const char* o) const { return tok_.kind == Tok::kOp && tok_.text == o; }
  void expect(const char* o) {
    if (!isOp(o)) {
      fail(std::string("\"") + o + "\" erwartet an Stelle " + pos());
    }
    advance();
  }

  int add(ExprNode n) {
    p_.nodes.push_back(std::move(n));
    return static_cast<int>(p_.nodes.size() - 1);
  }
  const ExprNode& node(int i) const { return p_.nodes[i]; }
  ValueType type(int i) const { return p_.nodes[i].type; }

  void need(int i, ValueType t, const std::string& where) {
    if (type(i) != t) {
      fail(std::string(typeName(t)) + " erwartet bei " + where + ", nicht " + typeName(type(i)));
    }
  }

  int make(ExprOp op, ValueType t, int a = -1, int b = -1, int c = -1) {
    ExprNode n;
    n.op = op;
    n.type = t;
    n.a = a;
    n.b = b;
    n.c = c;
    return add(std::move(n));
  }

  // Nesting is bounded so that no input can exhaust the stack.
  struct Depth {
    explicit Depth(Parser& p) : p_(p) {
      if (++p_.depth_ > 64) p_.fail("der Ausdruck ist zu tief geschachtelt");
    }
    ~Depth() { --p_.depth_; }
    Parser& p_;
  };

  int orExpr() {
    const Depth guard(*this);
    int left = andExpr();
    while (tok_.kind == Tok::kOr) {
      advance();
      const int right = andExpr();
      need(left, ValueType::kLogical, ".or.");
      need(right, ValueType::kLogical, ".or.");
      left = make(ExprOp::kOr, ValueType::kLogical, left, right);
    }
    return left;
  }

  int andExpr() {
    int left = notExpr();
    while (tok_.kind == Tok::kAnd) {
      advance();
      const int right = notExpr();
      need(left, ValueType::kLogical, ".and.");
      need(right, ValueType::kLogical, ".and.");
      left = make(ExprOp::kAnd, ValueType::kLogical, left, right);
    }
    return left;
  }

  int notExpr() {
    const Depth guard(*this);
    if (tok_.kind == Tok::kNot) {
      advance();
      const int a = notExpr();
      need(a, ValueType::kLogical, ".not.");
      return make(ExprOp::kNot, ValueType::kLogical, a);
    }
    return relExpr();
  }

  std::optional<CmpOp> relOp() const {
    if (tok_.kind != Tok::kOp) return std::nullopt;
    const std::string& o = tok_.text;
    if (o == "=") return CmpOp::kEq;
    if (o == "==") return CmpOp::kExactEq;
    if (o == "#" || o == "<>" || o == "!=") return CmpOp::kNe;
    if (o == "<") return CmpOp::kLt;
    if (o == "<=") return CmpOp::kLe;
    if (o == ">") return CmpOp::kGt;
    if (o == ">=") return CmpOp::kGe;
    return std::nullopt;
  }

  int relExpr() {
    int left = addExpr();
    for (;;) {
      if (isOp("$")) {
        advance();
        const int right = addExpr();
        need(left, ValueType::kChar, "$");
        need(right, ValueType::kChar, "$");
        left = make(ExprOp::kContains, ValueType::kLogical, left, right);
        continue;
      }
      const auto op = relOp();
      if (!op) return left;
      const std::string sym = tok_.text;
      advance();
      const int right = addExpr();
      need(right, type(left), "\"" + sym + "\"");
      const int n = make(ExprOp::kCompare, ValueType::kLogical, left, right);
      p_.nodes[n].cmp = *op;
      p_.nodes[n].operandType = type(left);
      left = n;
    }
  }

  int addExpr() {
    int left = mulExpr();
    while (isOp("+") || isOp("-")) {
      const bool plus = tok_.text == "+";
      advance();
      left = arith(plus, left, mulExpr());
    }
    return left;
  }

  int arith(bool plus, int l, int r) {
    const ValueType a = type(l), b = type(r);
    using V = ValueType;
    if (a == V::kChar && b == V::kChar) {
      return make(plus ? ExprOp::kConcat : ExprOp::kConcatTrim, V::kChar, l, r);
    }
    if (a == V::kNumber && b == V::kNumber) {
      const int n = make(plus ? ExprOp::kAddNum : ExprOp::kSubNum, V::kNumber, l, r);
      p_.nodes[n].numDecimals = std::max(node(l).numDecimals, node(r).numDecimals);
      return n;
    }
    if (a == V::kDate && b == V::kNumber) {
      return make(plus ? ExprOp::kAddDays : ExprOp::kSubDays, V::kDate, l, r);
    }
    if (plus && a == V::kNumber && b == V::kDate) return make(ExprOp::kAddDays, V::kDate, r, l);
    if (!plus && a == V::kDate && b == V::kDate) return make(ExprOp::kDiffDays, V::kNumber, l, r);
    fail(std::string("\"") + (plus ? "+" : "-") + "\" passt nicht zu " + typeName(a) + " und " +
         typeName(b));
  }

  int mulExpr() {
    int left = unary();
    while (isOp("*") || isOp("/") || isOp("%")) {
      const std::string sym = tok_.text;
      advance();
      const int right = unary();
      need(left, ValueType::kNumber, "\"" + sym + "\"");
      need(right, ValueType::kNumber, "\"" + sym + "\"");
      const ExprOp op = sym == "*" ? ExprOp::kMul : sym == "/" ? ExprOp::kDiv : ExprOp::kMod;
      const int n = make(op, ValueType::kNumber, left, right);
      p_.nodes[n].numDecimals =
          sym == "*" ? node(left).numDecimals + node(right).numDecimals : (sym == "/" ? 2 : 0);
      left = n;
    }
    return left;
  }

  int unary() {
    const Depth guard(*this);
    if (isOp("-") || isOp("+")) {
      const bool minus = tok_.text == "-";
      advance();
      const int a = unary();
      need(a, ValueType::kNumber, "Vorzeichen");
      if (!minus) return a;
      const int n = make(ExprOp::kNeg, ValueType::kNumber, a);
      p_.nodes[n].numWidth = node(a).numWidth;
      p_.nodes[n].numDecimals = node(a).numDecimals;
      return n;
    }
    return primary();
  }

  int constant(Value v) {
    ExprNode n;
    n.op = ExprOp::kConst;
    n.type = typeOf(v);
    n.constant = std::move(v);
    return add(std::move(n));
  }

  int primary() {
    const Token t = tok_;
    switch (t.kind) {
      case Tok::kNumber: {
        advance();
        const int n = constant(std::stod(t.text));
        const auto dot = t.text.find('.');
        p_.nodes[n].numDecimals = dot == std::string::npos ? 0 : int(t.text.size() - dot - 1);
        return n;
      }
      case Tok::kString:
        advance();
        return constant(utf8ToCp1252(t.text));
      case Tok::kTrue:
      case Tok::kFalse:
        advance();
        return constant(t.kind == Tok::kTrue);
      case Tok::kIdent:
        advance();
        return identifier(t.text);
      case Tok::kOp:
        if (t.text == "(") {
          advance();
          const int inner = orExpr();
          expect(")");
          return inner;
        }
        break;
      default:
        break;
    }
    if (t.kind == Tok::kEnd) fail("der Ausdruck endet zu früh");
    fail("unerwartetes \"" + t.text + "\" an Stelle " + std::to_string(t.pos));
  }

  int identifier(const std::string& name) {
    if (isOp("(")) {
      advance();
      std::vector<int> args;
      if (!isOp(")")) {
        args.push_back(orExpr());
        while (isOp(",")) {
          advance();
          args.push_back(orExpr());
        }
      }
      expect(")");
      return function(name, args);
    }
    if (tok_.kind == Tok::kArrow) {
      advance();
      if (tok_.kind != Tok::kIdent) fail("Feldname nach \"->\" erwartet");
      const std::string member = tok_.text;
      advance();
      if (name == "M" || name == "MEMVAR") return variable(member, true);
      if (name != "FIELD" && name != alias_) {
        fail("der Alias " + name + " gehört nicht zu dieser Tabelle (" + alias_ + ")");
      }
      return fieldRef(member, true);
    }
    return fieldRef(name, false);
  }

  int fieldRef(const std::string& name, bool mustBeField) {
    for (std::size_t i = 0; i < fields_.size(); ++i) {
      if (asciiUpper(fields_[i].name) != name) continue;
      const FieldDef& f = fields_[i];
      if (f.type == 'M') fail("das Memofeld " + name + " kann nicht verwendet werden");
      ExprNode n;
      n.op = ExprOp::kField;
      n.fieldType = f.type;
      n.type = f.type == 'N'   ? ValueType::kNumber
               : f.type == 'D' ? ValueType::kDate
               : f.type == 'L' ? ValueType::kLogical
                               : ValueType::kChar;
      n.offset = offsets_[i];
      n.width = static_cast<std::uint32_t>(f.width);
      n.numWidth = f.width;
      n.numDecimals = f.decimals;
      return add(std::move(n));
    }
    if (mustBeField) fail("die Tabelle hat kein Feld " + name);
    return variable(name, false);
  }

  int variable(const std::string& name, bool qualified) {
    for (const auto& [vname, value] : vars_) {
      if (asciiUpper(vname) != name) continue;
      if (const auto* s = std::get_if<std::string>(&value)) return constant(utf8ToCp1252(*s));
      return constant(value);
    }
    fail(qualified ? "unbekannte Variable " + name
                   : "unbekannter Name " + name + " (weder Feld noch Variable)");
  }

  void arity(const std::string& name, const std::vector<int>& args, std::size_t lo,
             std::size_t hi) {
    if (args.size() < lo || args.size() > hi) fail("falsche Anzahl Argumente für " + name + "()");
  }

  int function(const std::string& name, const std::vector<int>& args) {
    using V = ValueType;
    auto one = [&](V t) {
      arity(name, args, 1, 1);
      need(args[0], t, name + "()");
    };
    if (name == "DATE") {
      arity(name, args, 0, 0);
      return make(ExprOp::kToday, V::kDate);
    }
    if (name == "DTOS") {
      one(V::kDate);
      return make(ExprOp::kDtos, V::kChar, args[0]);
    }
    if (name == "MONTH" || name == "YEAR" || name == "DAY") {
      one(V::kDate);
      const ExprOp op = name == "MONTH"  ? ExprOp::kMonth
                        : name == "YEAR" ? ExprOp::kYear
                                         : ExprOp::kDay;
      int n;
      if (node(args[0]).op == ExprOp::kConst) {
        // Of a fixed date (a bound variable) once, not again for every record.
        const Date d = std::get<Date>(node(args[0]).constant);
        n = constant(static_cast<double>(op == ExprOp::kMonth  ? d.month()
                                         : op == ExprOp::kYear ? d.year()
                                                               : d.day()));
      } else {
        n = make(op, V::kNumber, args[0]);
      }
      p_.nodes[n].numWidth = name == "YEAR" ? 5 : 3;
      return n;
    }
    if (name == "STR") return str(args);
    if (name == "VAL") {
      one(V::kChar);
      return make(ExprOp::kVal, V::kNumber, args[0]);
    }
    static const std::pair<const char*, ExprOp> kText[] = {
        {"UPPER", ExprOp::kUpper}, {"LOWER", ExprOp::kLower}, {"TRIM", ExprOp::kRtrim},
        {"RTRIM", ExprOp::kRtrim}, {"LTRIM", ExprOp::kLtrim}, {"ALLTRIM", ExprOp::kAlltrim}};
    for (const auto& [fname, op] : kText) {
      if (name == fname) {
        one(V::kChar);
        return make(op, V::kChar, args[0]);
      }
    }
    if (name == "SUBSTR" || name == "LEFT" || name == "RIGHT") {
      if (name == "SUBSTR") {
        arity(name, args, 2, 3);
      } else {
        arity(name, args, 2, 2);
      }
      need(args[0], V::kChar, name + "()");
      for (std::size_t i = 1; i < args.size(); ++i)
        need(args[i], V::kNumber, name + "()");
      const ExprOp op = name == "SUBSTR" ? ExprOp::kSubstr
                        : name == "LEFT" ? ExprOp::kLeft
                                         : ExprOp::kRight;
      return make(op, V::kChar, args[0], args[1], args.size() > 2 ? args[2] : -1);
    }
    fail("unbekannte Funktion " + name + "()");
  }

  // str(n): the width of a field, else 10; str(n, w [, d]) with constant w and d.
  int str(const std::vector<int>& args) {
    arity("STR", args, 1, 3);
    need(args[0], ValueType::kNumber, "STR()");
    int width = node(args[0]).numWidth;
    int decimals = node(args[0]).numDecimals;
    if (args.size() >= 2) {
      width = constInt(args[1], "STR()");
      decimals = args.size() == 3 ? constInt(args[2], "STR()") : 0;
    }
    if (width < 1 || width > 40 || decimals < 0 || decimals >= width) {
      fail("ungültige Breite für STR()");
    }
    const int n = make(ExprOp::kStr, ValueType::kChar, args[0]);
    p_.nodes[n].numWidth = width;
    p_.nodes[n].numDecimals = decimals;
    return n;
  }

  int constInt(int i, const std::string& where) {
    if (node(i).op != ExprOp::kConst || type(i) != ValueType::kNumber) {
      fail("eine feste Zahl erwartet bei " + where);
    }
    return static_cast<int>(std::get<double>(node(i).constant));
  }

  Lexer lex_;
  Token tok_;
  const Structure& fields_;
  std::string alias_;
  const ExprVariables& vars_;
  ExprProgram& p_;
  std::vector<std::uint32_t> offsets_;
  int depth_ = 0;
};

}  // namespace

Result<Expression> Expression::compile(std::string_view text, const Structure& fields,
                                       std::string_view alias, const ExprVariables& variables) {
  auto program = std::make_shared<ExprProgram>();
  program->text = std::string(text);
  try {
    Parser parser(text, fields, alias, variables, *program);
    program->root = parser.parse();
    if (program->nodes[program->root].type == ValueType::kLogical) planTerms(*program);
  } catch (const ParseError& e) {
    return status::badExpression(std::string(text), e.detail);
  } catch (const std::exception&) {  // std::stod out of range
    return status::badExpression(std::string(text), "eine Zahl ist ungültig");
  }
  return Expression(std::move(program));
}

}  // namespace zrv
