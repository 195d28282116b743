// The German help book: every topic the program opens has its own page in the book's contents,
// every entry of contents and index leads to a page that exists, and F1 and the help buttons
// open the page of the current window.
#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/html/helpdata.h>
#include <wx/textctrl.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "app/help.h"
#include "app/help_module.h"
#include "help_module/wx_help_viewer.h"
#include "reminder/alert_window.h"
#include "ui/help_key.h"
#include "ui_test_util.h"
#include "widgets/german_locale.h"
#include "widgets/plain_window_services.h"

namespace zrv {
namespace {
namespace fs = std::filesystem;

const fs::path kBook = fs::path(ZRV_SOURCE_DIR) / "help" / "zorvane.hhp";

std::string readFile(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// Topic names written out in the sources where a help topic is opened or made current.
std::set<std::string> topicsNamedInSources() {
  const std::regex call(R"((showHelp|setTopic|show)\(\s*"([^"]+)\")");
  std::set<std::string> topics;
  for (const auto& entry : fs::recursive_directory_iterator(fs::path(ZRV_SOURCE_DIR) / "src")) {
    const auto ext = entry.path().extension();
    if (ext != ".cpp" && ext != ".h") continue;
    const std::string text = readFile(entry.path());
    for (std::sregex_iterator it(text.begin(), text.end(), call), end; it != end; ++it)
      topics.insert((*it)[2].str());
  }
  return topics;
}

// The page's file in the book's folder; an empty path for no page.
fs::path pageFile(const wxString& page) {
  if (page.empty()) return {};
  return kBook.parent_path() / fs::path(page.utf8_string()).filename();
}

TEST(HelpBook, EveryTopicHasItsOwnPageAndEveryEntryLeadsToAPage) {
  wxHtmlHelpData book;
  ASSERT_TRUE(book.AddBook(wxString::FromUTF8(kBook.string())));

  std::set<std::string> topics(helpTopics().begin(), helpTopics().end());
  const std::set<std::string> named = topicsNamedInSources();
  EXPECT_TRUE(named.count("Terminalarm"));  // the scan sees the alert's help button
  topics.insert(named.begin(), named.end());

  std::set<std::string> pages;
  for (const std::string& topic : topics) {
    const wxString page = book.FindPageByName(wxString::FromUTF8(topic));
    EXPECT_FALSE(page.empty()) << topic;
    EXPECT_TRUE(fs::exists(pageFile(page))) << topic;
    pages.insert(page.utf8_string());
  }
  EXPECT_EQ(pages.size(), topics.size()) << "two topics share a page";

  for (const auto* entries : {&book.GetContentsArray(), &book.GetIndexArray()}) {
    ASSERT_GE(entries->size(), topics.size());
    for (size_t i = 0; i < entries->size(); ++i) {
      const wxHtmlHelpDataItem& item = (*entries)[i];
      EXPECT_FALSE(item.name.empty());  // umlauts read right (a wrong charset empties them)
      EXPECT_TRUE(fs::exists(pageFile(item.page))) << item.name;
    }
  }
}

class HelpWindowTest : public ::testing::Test {
 protected:
  HelpWindowTest() {
    selectGermanTexts();  // the help window's own captions, as the program shows them
    help.attach(&viewer);
    frame = new wxFrame(nullptr, wxID_ANY, "Zorvane", wxPoint(40, 40), wxSize(400, 300));
    new wxTextCtrl(frame, wxID_ANY);
    frame->Show();
    test::pump();
  }
  ~HelpWindowTest() override {
    if (viewer.window()) viewer.window()->Close();
    frame->Destroy();
    test::pump();
  }

  // The title of the help window once it shows `title`'s page.
  bool helpShows(const std::string& title) {
    return test::pumpUntil(
        [&] {
          wxWindow* w = viewer.window();
          return w && w->IsShown() && w->GetLabel().utf8_string().find(title) != std::string::npos;
        },
        5000);
  }

  Help help;
  WxHelpViewer viewer{kBook, [](const std::string& text) { ADD_FAILURE() << text; }};
  HelpKey key{help};
  wxFrame* frame = nullptr;
};

class NoActions : public AlertActions {
 public:
  bool run(AlertAction) override { return false; }
};

// The program's services as far as help goes: the help book's page.
struct HelpServices : PlainWindowServices {
  explicit HelpServices(Help& h) : help(h) {}
  void showHelp(const std::string& topic) override { help.show(topic); }
  Help& help;
};

TEST_F(HelpWindowTest, F1OpensTheCurrentTopicAndTheAlertItsOwn) {
  help.setTopic(help_topic::kMain);
  test::keyOn(frame, WXK_F1);
  EXPECT_TRUE(helpShows("Das Hauptfenster"));

  {
    ScopedHelpTopic topic(help, help_topic::kAlert, help_topic::kContents);
    NoActions actions;
    HelpServices services(help);
    auto* alert = new AlertWindow(frame, AlertContent{}, actions, {}, services);
    alert->Show();
    test::pump(300);
    viewer.window()->Close();
    test::pump();
    test::keyOn(alert, WXK_F1);
    EXPECT_TRUE(helpShows("Terminalarm"));
    viewer.window()->SetSize(40, 40, 900, 640);
    viewer.window()->Raise();
    test::pump(500);
    test::screenshot(viewer.window(), "help_page");

    help.show(help_topic::kWeek);
    EXPECT_TRUE(helpShows("Wochenübersicht"));
    test::press(alert->helpButton());
    EXPECT_TRUE(helpShows("Terminalarm"));
    alert->Destroy();
  }
  EXPECT_EQ(help.topic(), "Inhalt");
}

TEST(HelpViewer, AMissingBookIsReportedOnceAndShowsNothing) {
  std::vector<std::string> complaints;
  WxHelpViewer viewer("/nonexistent/help/zorvane.hhp",
                      [&](const std::string& text) { complaints.push_back(text); });
  viewer.showTopic("Inhalt");
  viewer.showIndex();
  EXPECT_EQ(complaints.size(), 1u);
  EXPECT_EQ(viewer.window(), nullptr);
}

// The program's viewer opens the help window from the module; a missing module is reported once
// with its path, and help stays silent for the rest of the run.
TEST(HelpModule, ThePageComesFromTheModuleAndAMissingModuleIsReportedOnce) {
  std::vector<std::string> complaints;
  const auto collect = [&](const std::string& text) { complaints.push_back(text); };
  HelpModuleViewer missing("/nonexistent/zorvane_help.so", kBook, collect);
  missing.showTopic(help_topic::kMain);
  missing.showIndex();
  ASSERT_EQ(complaints.size(), 1u);
  EXPECT_NE(complaints[0].find("/nonexistent/zorvane_help.so"), std::string::npos);

  selectGermanTexts();
  HelpModuleViewer viewer(ZRV_HELP_MODULE, kBook, collect);
  viewer.showTopic(help_topic::kMain);
  wxWindow* shown = nullptr;
  EXPECT_TRUE(test::pumpUntil(
      [&] {
        for (wxWindow* w : wxTopLevelWindows) {
          if (w->IsShown() && w->GetLabel().utf8_string() == "Zorvane-Hilfe: Das Hauptfenster")
            shown = w;
        }
        return shown != nullptr;
      },
      5000));
  EXPECT_EQ(complaints.size(), 1u);
  if (shown) shown->Close();
  test::pump();
}

}  // namespace
}  // namespace zrv
