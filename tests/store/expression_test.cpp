// The expression language of index keys and conditions, evaluated on real record bytes.
#include "store/xbase/expression.h"

#include <gtest/gtest.h>

#include "store/xbase/field_codec.h"
#include "store_test_support.h"

namespace zrv {
namespace {

using test::must;

const Structure kFields = {{"TDATE", 'D', 8, 0},  {"TTIME", 'C', 5, 0},   {"DATE", 'D', 8, 0},
                           {"QUIT", 'L', 1, 0},   {"VORLAGE", 'N', 2, 0}, {"BEREICH", 'N', 1, 0},
                           {"NUMMER", 'N', 2, 0}, {"AMOUNT", 'N', 7, 2},  {"TEXT", 'M', 10, 0},
                           {"NAME", 'C', 10, 0}};

// A record of kFields from stored field texts (in field order, padded by the caller).
std::string record(const std::vector<std::string>& values) {
  std::string r = " ";
  for (std::size_t i = 0; i < kFields.size(); ++i) {
    r += field::padText(i < values.size() ? values[i] : "", kFields[i].width);
  }
  return r;
}

const Date kToday = *Date::fromYmd(2024, 3, 15);

Value eval(const std::string& text, const std::string& rec, ExprVariables vars = {}) {
  return must(Expression::compile(text, kFields, "DTER", vars)).evaluate(rec, kToday);
}

std::string text(const std::string& expr, const std::string& rec) {
  return std::get<std::string>(eval(expr, rec));
}

bool truth(const std::string& expr, const std::string& rec, ExprVariables vars = {}) {
  return std::get<bool>(eval(expr, rec, std::move(vars)));
}

TEST(Expression, TheIndexKeysOfTheProgram) {
  const std::string r = record({"20240315", "08:45", "20240315", "F", " 1", "8", " 1"});
  EXPECT_EQ(text("dtos(DTER->TDATE)+DTER->TTIME", r), "2024031508:45");
  EXPECT_EQ(text("DTOS(tdate)+ttime", r), "2024031508:45");
  EXPECT_EQ(text("str(BEREICH)+str(NUMMER)", r), "8 1");
  EXPECT_EQ(text("str(BEREICH)+str(NUMMER)", record({"", "", "", "", "", "3", "10"})), "310");
  // Blank numbers are zero and keep their field width.
  EXPECT_EQ(text("str(BEREICH)+str(NUMMER)", record({})), "0 0");
  EXPECT_EQ(text("dtos(DTER->TDATE)+DTER->TTIME", record({"", "07:00"})), "        07:00");
  // A stored date that is no date reads as empty.
  EXPECT_EQ(text("dtos(TDATE)", record({"2024AB15"})), "        ");
  EXPECT_EQ(text("str(AMOUNT)", record({"", "", "", "", "", "", "", "  -3.50"})), "  -3.50");
  EXPECT_EQ(text("str(VORLAGE+1)", record({"", "", "", "", " 4"})), "         5");
  EXPECT_EQ(text("str(VORLAGE, 4)", record({"", "", "", "", " 4"})), "   4");
  EXPECT_EQ(text("str(123456, 3)", record({})), "***");
}

TEST(Expression, TheIndexConditionsOfTheProgram) {
  const std::string nt3 = "DTER->DATE=date() .and. .not. DTER->QUIT";
  const std::string nt4 = "DTER->DATE<date() .and. .not. DTER->QUIT .and. DTER->VORLAGE=1";
  const std::string today = record({"", "", "20240315", "F", " 1"});
  const std::string yesterday = record({"", "", "20240314", "F", " 1"});
  const std::string filed = record({"", "", "20240314", "T", " 1"});
  const std::string weekly = record({"", "", "20240314", "F", " 4"});
  const std::string noDate = record({"", "", "", "f", " 1"});
  EXPECT_TRUE(truth(".not. DTER->QUIT", today));
  EXPECT_FALSE(truth(".not. DTER->QUIT", filed));
  EXPECT_TRUE(truth("DTER->QUIT", filed));
  EXPECT_TRUE(truth(nt3, today));
  EXPECT_FALSE(truth(nt3, yesterday));
  EXPECT_FALSE(truth(nt4, today));
  EXPECT_TRUE(truth(nt4, yesterday));
  EXPECT_FALSE(truth(nt4, filed));
  EXPECT_FALSE(truth(nt4, weekly));
  EXPECT_TRUE(truth(nt4, noDate));  // an empty date lies before every date
}

// Index conditions read a date, logical or number field from its bytes when they test a whole
// table; the answer must be the one of reading the value (here forced by "+0" and ".or. .F.").
TEST(Expression, FieldTestsOnStoredBytesAgreeWithTheReadValues) {
  const std::vector<std::string> dates = {
      "20240315", "20240314", "20240316", "20240229", "00010101", "99991231", "",
      "2024031",  "20240231", "20250229", "20241301", "2024AB15", "00000000", "2024-3-1"};
  const std::vector<std::string> quits = {"T", "F", "", "?", "y", "n"};
  const std::vector<std::string> kinds = {" 1", "1 ", "01", "", "-1", " 2", "1.", "x1"};
  const auto check = [](const std::string& fast, const std::string& slow, const std::string& r) {
    const Expression e = must(Expression::compile(fast, kFields, "DTER"));
    EXPECT_EQ(e.isTrue(r, kToday), truth(slow, r)) << fast << " on [" << r.substr(0, 48) << "]";
    EXPECT_EQ(truth(fast, r), truth(slow, r)) << fast << " on [" << r.substr(0, 48) << "]";
  };
  for (const std::string& date : dates) {
    const std::string r = record({"", "", date});
    for (const char* op : {"=", "==", "#", "<>", "<", "<=", ">", ">="}) {
      check(std::string("DATE ") + op + " date()", std::string("DATE ") + op + " date()+0", r);
      check(std::string("date() ") + op + " DATE", std::string("date()+0 ") + op + " DATE", r);
    }
    EXPECT_EQ(text("dtos(DATE)", r), text("dtos(DATE+0)", r)) << date;
    for (const std::string& quit : quits) {
      for (const std::string& kind : kinds) {
        const std::string rq = record({"", "", date, quit, kind});
        check("DTER->DATE<date() .and. .not. DTER->QUIT .and. DTER->VORLAGE=1",
              "DTER->DATE<date()+0 .and. .not. (DTER->QUIT .or. .F.) .and. DTER->VORLAGE+0=1", rq);
        check("QUIT .and. 1 < VORLAGE", "(QUIT .or. .F.) .and. 1 < VORLAGE+0", rq);
      }
    }
  }
  // Whole numbers are read without the general parser; anything else still goes through it.
  for (const auto& [stored, value] :
       std::vector<std::pair<std::string, double>>{{" -12", -12},
                                                   {"007", 7},
                                                   {"+3", 3},
                                                   {"-0", 0},
                                                   {"-", 0},
                                                   {"12a", 12},
                                                   {"1.5", 1.5},
                                                   {"123456789012345", 123456789012345.0},
                                                   {"1234567890123456", 1234567890123456.0}}) {
    EXPECT_EQ(field::parseNumber(stored), value) << stored;
  }
}

TEST(Expression, OperatorsAndFunctions) {
  const std::string r =
      record({"20240315", "08:45", "20240101", "T", " 2", "", "", "", "", "Abc Def"});
  EXPECT_TRUE(truth("NAME = 'Abc'", r));  // a prefix is equal (exact off)
  EXPECT_FALSE(truth("NAME == 'Abc'", r));
  EXPECT_FALSE(truth("'Abc' = NAME", r));
  EXPECT_TRUE(truth("NAME # 'Xyz' .and. NAME <> 'X' .and. NAME != 'Y'", r));
  EXPECT_TRUE(truth("'ZETA' < 'alpha'", r));  // raw bytes: upper case first
  EXPECT_TRUE(truth("TDATE > DATE .and. DATE <= TDATE .and. TDATE >= TDATE", r));
  EXPECT_TRUE(truth("(VORLAGE = 1 .or. VORLAGE = 2) .and. !.F.", r));
  EXPECT_TRUE(truth("'Def' $ NAME", r));
  EXPECT_EQ(std::get<double>(eval("month(TDATE) + year(DATE) * 2 - day(TDATE) / 5", r)),
            3 + 2024 * 2 - 3.0);
  EXPECT_EQ(std::get<double>(eval("TDATE - DATE", r)), 74);
  EXPECT_EQ(std::get<Date>(eval("DATE + 31", r)), *Date::fromYmd(2024, 2, 1));
  EXPECT_EQ(text("upper(NAME) + lower(NAME)", r), "ABC DEF   abc def   ");
  EXPECT_EQ(text("trim(NAME) + '|' + ltrim('  x') + alltrim('  y  ') + rtrim('z ')", r),
            "Abc Def|xyz");
  EXPECT_EQ(text("substr(NAME, 5, 3) + left(NAME, 2) + right(trim(NAME), 2)", r), "DefAbef");
  EXPECT_EQ(text("NAME - '!'", r), "Abc Def!   ");
  EXPECT_EQ(std::get<double>(eval("val('12.5') + -VORLAGE", r)), 10.5);
  EXPECT_EQ(std::get<Date>(eval("date()", r)), kToday);
  EXPECT_EQ(std::get<Date>(eval("dDAT", r, {{"dDAT", *Date::fromYmd(2024, 5, 1)}})),
            *Date::fromYmd(2024, 5, 1));
  // The calendar's temporary index compares with a date bound when it is built.
  EXPECT_TRUE(truth("month(DATE) = month(M->dDAT) .and. .not. QUIT", record({"", "", "20240505"}),
                    {{"dDAT", *Date::fromYmd(2024, 5, 1)}}));
}

TEST(Expression, CompileErrorsNameTheProblem) {
  struct Case {
    const char* text;
    const char* says;
  };
  const std::string deep(200, '(');
  for (const Case& c : std::vector<Case>{
           {"dtos(NOFIELD)", "NOFIELD"},
           {"OTHER->TDATE", "Alias OTHER"},
           {"dtos(TTIME)", "Datum erwartet"},
           {"TTIME + 1", "passt nicht"},
           {"frobnicate(TDATE)", "unbekannte Funktion FROBNICATE"},
           {"dtos(TDATE", "\")\" erwartet"},
           {"TEXT", "Memofeld TEXT"},
           {".not. TTIME", "logischer Wert erwartet"},
           {"QUIT .and.", "endet zu früh"},
           {"'open", "nicht abgeschlossen"},
           {"TDATE = 'x'", "Datum erwartet"},
           {"str(VORLAGE, VORLAGE)", "feste Zahl"},
           {"month(DATE) = month(dDAT)", "dDAT"},
           {"TTIME @ 1", "unerwartetes Zeichen"},
           {deep.c_str(), "zu tief"},
       }) {
    auto r = Expression::compile(c.text, kFields, "DTER");
    ASSERT_FALSE(r) << c.text;
    EXPECT_EQ(r.code(), StatusCode::kBadExpression);
    EXPECT_NE(r.message().find(c.says), std::string::npos) << c.text << ": " << r.message();
    EXPECT_NE(r.message().find("kann nicht ausgewertet werden"), std::string::npos);
  }
}

}  // namespace
}  // namespace zrv
