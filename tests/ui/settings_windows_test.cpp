// The settings windows driven like a user: the general settings (every control writes its
// setting at once, "&Abbrechen" keeps them for the run but writes no file and still follows a
// switched autostart, "&Speichern" writes the keys in their order, the test mail only with a
// complete account, the wake-up only with the facility), the network settings, and the sound
// settings over the installed sound table.
#include <gtest/gtest.h>
#include <wx/checkbox.h>
#include <wx/listctrl.h>
#include <wx/radiobut.h>
#include <wx/simplebook.h>
#include <wx/stattext.h>

#include "app/ini_file.h"
#include "platform/xdg_autostart.h"
#include "reminder/sound_table.h"
#include "settings/setup_lan_dialog.h"
#include "settings/setup_main_dialog.h"
#include "settings/setup_tabs_ctrl.h"
#include "settings/sound_settings.h"
#include "settings/sound_settings_window.h"
#include "support/reminder_fakes.h"
#include "support/test_context.h"
#include "support/window_services_fake.h"
#include "ui_test_util.h"
#include "widgets/tbmpget_ctrl.h"

namespace zrv {
namespace {
namespace fs = std::filesystem;

template <class T>
T* named(wxWindow* window, const char* name) {
  auto* w = dynamic_cast<T*>(wxWindow::FindWindowByName(name, window));
  EXPECT_NE(w, nullptr) << name;
  return w;
}

// A click on a check box or a radio button as the toolkit reports it.
void click(wxCheckBox* box) {
  box->SetValue(!box->GetValue());
  wxCommandEvent e(wxEVT_CHECKBOX, box->GetId());
  e.SetInt(box->GetValue());
  e.SetEventObject(box);
  box->GetEventHandler()->ProcessEvent(e);
}
void click(wxRadioButton* button) {
  button->SetValue(true);
  wxCommandEvent e(wxEVT_RADIOBUTTON, button->GetId());
  e.SetInt(1);
  e.SetEventObject(button);
  button->GetEventHandler()->ProcessEvent(e);
}
void pressId(wxWindow* window, int id) {
  test::press(dynamic_cast<wxButton*>(window->FindWindow(id)));
}
void type(wxWindow* window, const char* name, const char* text) {
  named<TBmpGet>(window, name)->SetValue(wxString::FromUTF8(text));
}
// The text on `page` that begins with `start`.
wxStaticText* textOn(wxWindow* page, const char* start) {
  for (wxWindow* w : page->GetChildren()) {
    auto* t = dynamic_cast<wxStaticText*>(w);
    if (t && t->GetLabel().StartsWith(wxString::FromUTF8(start))) return t;
  }
  ADD_FAILURE() << start;
  return nullptr;
}

class SettingsWindows : public ::testing::Test {
 protected:
  SettingsWindows() {
    t.ctx.CINIFILE = t.dir / "ZORVANE.INI";
    t.ctx.CS_EXEPATH = t.dir / "zorvane";
  }
  std::string ini(const char* section, const char* key) const {
    return IniFile(t.ctx.CINIFILE).read(section, key, "?");
  }
  void setupMain(std::function<void(SetupMainDialog&)> step) {
    test::WhenModal<SetupMainDialog> when(std::move(step));
    zrv::setupMain(nullptr, t.ctx, services, autostart,
                   [this](const MailSettingsCopy& copy) { testMails.push_back(copy); });
    EXPECT_TRUE(when.ran());
  }

  test::TestContext t;
  test::FakeWindowServices services;
  XdgAutostart autostart{t.dir / "config"};
  std::vector<MailSettingsCopy> testMails;
};

TEST_F(SettingsWindows, EveryControlWritesItsSettingCancelKeepsThemAndFollowsTheAutostart) {
  t.dir.write("ZORVANE.INI", "[SYSTEM]\r\nAStart=No\r\nTimer=30\r\n[SETUP]\r\nLOGBUCH=1\r\n");
  t.ctx.run.LWINXP = true;
  t.ctx.settings.LS_LOGBUCH = true;
  t.log.setEnabled(true);
  Settings& s = t.ctx.settings;
  setupMain([&](SetupMainDialog& d) {
    EXPECT_EQ(t.ctx.help.topic(), "Allgemeine Einstellungen");
    test::clickWithMouse(named<wxCheckBox>(&d, "LS_ASTART"));
    click(named<wxCheckBox>(&d, "LS_ASICON"));
    type(&d, "NS_TIMER", "45");
    EXPECT_TRUE(s.LS_ASTART && s.LS_ASICON);
    EXPECT_EQ(s.NS_TIMER, 45);

    d.showPage(1);
    for (const char* box : {"LS_SHOWOLD", "LS_SLOESCH", "LS_WAKEUP"})
      click(named<wxCheckBox>(&d, box));
    type(&d, "NS_MIN", "25");
    type(&d, "NS_AUTOMIN", "5");
    type(&d, "NS_WAKEUPM", "7");
    EXPECT_TRUE(s.LS_SHOWOLD && s.LS_SLOESCH && s.LS_WAKEUP);
    EXPECT_EQ(std::vector<int>({s.NS_MIN, s.NS_AUTOMIN, s.NS_WAKEUPM}),
              std::vector<int>({25, 5, 7}));

    d.showPage(2);
    click(named<wxRadioButton>(&d, "NS_WEEKSHOW3"));
    EXPECT_EQ(s.NS_WEEKSHOW, 3);
    d.showPage(4);
    click(named<wxRadioButton>(&d, "NS_ERROR2"));
    click(named<wxCheckBox>(&d, "LS_LOGBUCH"));  // the logbook stops at once
    click(named<wxCheckBox>(&d, "LS_SHOWLOG"));
    EXPECT_EQ(s.NS_ERROR, 2);
    EXPECT_FALSE(t.log.enabled());
    EXPECT_TRUE(s.LS_SHOWLOG);
    pressId(&d, kSetupCancelId);
  });
  // The file is as it was, the autostart entry follows the switch, the values stay in effect.
  EXPECT_EQ(ini("SYSTEM", "AStart"), "No");
  EXPECT_EQ(ini("SYSTEM", "Timer"), "30");
  EXPECT_EQ(ini("SETUP", "NACHMIN"), "?");
  EXPECT_TRUE(fs::exists(autostart.file()));
  EXPECT_TRUE(s.LS_ASTART);
  EXPECT_EQ(s.NS_TIMER, 45);
  EXPECT_EQ(t.ctx.help.topic(), "Hauptauswahl");
  EXPECT_TRUE(services.messages.empty());

  // Switched back and cancelled again: the entry is gone.
  setupMain([&](SetupMainDialog& d) {
    click(named<wxCheckBox>(&d, "LS_ASTART"));
    pressId(&d, kSetupCancelId);
  });
  EXPECT_FALSE(fs::exists(autostart.file()));
  EXPECT_EQ(ini("SYSTEM", "AStart"), "No");
}

TEST_F(SettingsWindows, SaveWritesTheKeysInTheirOrderTheTestMailNeedsTheWholeAccount) {
  setupMain([&](SetupMainDialog& d) {
    d.showPage(3);
    wxButton* testMail = d.testMailButton();
    EXPECT_FALSE(testMail->IsEnabled());
    type(&d, "CM_NAME", "Erika Mustermann");
    type(&d, "CM_REPLY", "erika@example.org");
    type(&d, "CM_SMTP", "mail.example.org");
    type(&d, "CM_USER", "erika");
    EXPECT_FALSE(testMail->IsEnabled());
    type(&d, "CM_PASS", "ge heim");
    EXPECT_TRUE(testMail->IsEnabled());
    type(&d, "CM_SMTP", "");
    EXPECT_FALSE(testMail->IsEnabled());
    type(&d, "CM_SMTP", "mail.example.org:587");
    click(named<wxCheckBox>(&d, "LM_ONLINE"));
    test::press(testMail);
    d.showPage(1);
    type(&d, "NS_MIN", "25");
    pressId(&d, kSetupSaveId);
  });
  ASSERT_EQ(testMails.size(), 1u);
  EXPECT_EQ(testMails[0].account.SMTP, "mail.example.org:587");
  EXPECT_TRUE(testMails[0].LM_ONLINE);

  const std::string file = t.dir.read("ZORVANE.INI");
  // Each section holds its keys in the order they were written.
  for (const std::string section :
       {"[SETUP]\r\nSHOWOLD=No\r\nNACHMIN=25\r\nSLOESCH=No\r\nAUTOMIN=10\r\nWEEKSHOW=1\r\n"
        "WakeUp=0\r\nWakeUpMin=2\r\nLOGBUCH=0\r\nSHOWLOG=0\r\nErrors=1\r\n",
        "[SYSTEM]\r\nAsIcon=No\r\nAStart=No\r\nTimer=30\r\n",
        "[MailSupport]\r\nName=Erika Mustermann\r\nReply=erika@example.org\r\n"
        "SMTP=mail.example.org:587\r\nUser=erika\r\nPass=ge heim\r\nOnline=1\r\n"}) {
    EXPECT_NE(file.find(section), std::string::npos) << section << "in\n" << file;
  }
  EXPECT_TRUE(t.ctx.settings.LM_ONLINE);
}

TEST_F(SettingsWindows, TheWakeUpNeedsTheFacilityAndItsMinutesTheBox) {
  setupMain([&](SetupMainDialog& d) {
    d.showPage(1);
    wxWindow* page = d.pages()->GetCurrentPage();
    auto* box = named<wxCheckBox>(&d, "LS_WAKEUP");
    EXPECT_FALSE(box->IsEnabled());
    EXPECT_FALSE(named<TBmpGet>(&d, "NS_WAKEUPM")->IsEnabled());
    const wxColour grey(192, 192, 192);
    EXPECT_EQ(box->GetForegroundColour(), grey);
    EXPECT_EQ(textOn(page, "Vorgabezeit für Aufwecken")->GetForegroundColour(), grey);
    EXPECT_EQ(textOn(page, "Automatische Wiedervorlage")->GetForegroundColour(), *wxBLACK);
    test::screenshot(&d, "settings_appointments_without_wake_up");
    pressId(&d, kSetupCancelId);
  });

  t.ctx.run.LWINXP = true;
  setupMain([&](SetupMainDialog& d) {
    d.showPage(1);
    auto* box = named<wxCheckBox>(&d, "LS_WAKEUP");
    auto* minutes = named<TBmpGet>(&d, "NS_WAKEUPM");
    EXPECT_TRUE(box->IsEnabled());
    EXPECT_FALSE(minutes->IsEnabled());
    click(box);
    EXPECT_TRUE(minutes->IsEnabled());
    click(box);
    EXPECT_FALSE(minutes->IsEnabled());
    // Alt with a tab's letter shows its page; the page's own letters stay its controls'.
    test::keyOn(d.tabs(), 'E', wxMOD_ALT);
    EXPECT_EQ(d.tabs()->selection(), 3);
    d.showPage(4);
    test::keyOn(d.tabs(), 'E', wxMOD_ALT);
    EXPECT_EQ(d.tabs()->selection(), 4);
    EXPECT_TRUE(named<wxRadioButton>(&d, "NS_ERROR3")->GetValue());
    test::keyOn(d.tabs(), WXK_PAGEDOWN, wxMOD_CONTROL);
    EXPECT_EQ(d.tabs()->selection(), 0);
    pressId(&d, kSetupCancelId);
  });
}

TEST_F(SettingsWindows, TheNetworkChoiceNeedsNetworkModeSavingWorksEitherWay) {
  t.ctx.settings.NS_LANACTUAL = 7;
  test::WhenModal<SetupLanDialog> outside([&](SetupLanDialog& d) {
    for (const char* name : {"NS_LANACTUAL1", "NS_LANACTUAL2", "NS_LANACTUAL3"})
      EXPECT_FALSE(named<wxRadioButton>(&d, name)->IsEnabled()) << name;
    EXPECT_TRUE(named<wxRadioButton>(&d, "NS_LANACTUAL3")->GetValue());
    pressId(&d, kLanSaveId);
  });
  setupLan(nullptr, t.ctx, services);
  EXPECT_EQ(ini("SETUP", "LANACTUAL"), "7");

  t.ctx.settings.LS_LAN = true;
  test::WhenModal<SetupLanDialog> inside([&](SetupLanDialog& d) {
    EXPECT_EQ(t.ctx.help.topic(), "Netzwerk Einstellungen");
    auto* sound = named<wxRadioButton>(&d, "NS_LANACTUAL1");
    EXPECT_TRUE(sound->IsEnabled());
    click(sound);
    pressId(&d, kLanHelpId);
    pressId(&d, kLanSaveId);
  });
  setupLan(nullptr, t.ctx, services);
  EXPECT_EQ(ini("SETUP", "LANACTUAL"), "1");
  EXPECT_EQ(services.helpTopics, std::vector<std::string>{"Netzwerk Einstellungen"});
  EXPECT_EQ(t.ctx.help.topic(), "Hauptauswahl");

  // A settings file that cannot be written is told, not taken for saved.
  t.ctx.CINIFILE = t.dir / "blocked";
  fs::create_directories(t.ctx.CINIFILE);
  test::WhenModal<SetupLanDialog> blocked([&](SetupLanDialog& d) { pressId(&d, kLanSaveId); });
  setupLan(nullptr, t.ctx, services);
  EXPECT_EQ(
      services.messages,
      std::vector<std::string>{"Problem: Die Einstellungen konnten nicht gespeichert werden !"});
}

TEST_F(SettingsWindows, TheSoundListShowsMarksAndColoursAndFollowsItsButtons) {
  test::RecordingSoundPlayer player;
  setupSound(nullptr, t.ctx, services, player);  // no sound table yet
  EXPECT_EQ(services.messages,
            std::vector<std::string>{"Problem: Die Sound-Einstellungen können im Moment nicht "
                                     "geöffnet werden."});

  ASSERT_TRUE(createSoundTable(t.dir / "ZRVPARAM.DBF", t.clock));
  test::WhenModal<SoundSettingsWindow> step([&](SoundSettingsWindow& w) {
    wxListCtrl* list = w.list();
    ASSERT_EQ(list->GetItemCount(), 27);
    EXPECT_TRUE(list->HasFocus());
    const auto row = [list](long i) {
      wxListItem item;
      item.SetId(i);
      item.SetMask(wxLIST_MASK_IMAGE | wxLIST_MASK_TEXT);
      list->GetItem(item);
      return std::make_pair(item.GetImage(), list->GetItemText(i, 1).utf8_string());
    };
    EXPECT_EQ(row(0), std::make_pair(0, std::string(" Alle Sounds")));
    EXPECT_EQ(list->GetItemTextColour(0), wxColour(0, 128, 0));
    EXPECT_EQ(list->GetItemTextColour(1), wxColour(0, 0, 128));
    EXPECT_EQ(list->GetItemTextColour(2), *wxBLACK);
    EXPECT_EQ(list->GetItemTextColour(13), wxColour(255, 0, 0));  // a kind's default sound

    // The entry "Termin bearbeitet" (1, 2): chosen, unticked with the tick button.
    list->SetItemState(3, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    test::pump(50);
    EXPECT_EQ(w.nameField()->GetValue(), "Termin bearbeitet");
    EXPECT_STREQ(w.tickPicture(), "S_OK");
    pressId(&w, kSoundTickId);
    EXPECT_STREQ(w.tickPicture(), "S_NOK");
    EXPECT_EQ(row(3).first, 0);  // Mark0
    EXPECT_EQ(list->GetItemText(3, 2), " .\\sounds\\Gelesen.wav");
    EXPECT_TRUE(w.FindWindow(kSoundDeleteId)->IsEnabled());

    // The master row switches everything on and the list goes to the top.
    w.rowActivated(0);
    EXPECT_EQ(list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED), 0);
    EXPECT_EQ(row(0).first, 1);
    EXPECT_FALSE(w.FindWindow(kSoundDeleteId)->IsEnabled());
    EXPECT_EQ(t.ctx.help.topic(), "Sound-Einstellungen");
    pressId(&w, kSoundEndId);
  });
  setupSound(nullptr, t.ctx, services, player);
  EXPECT_TRUE(step.ran());
  EXPECT_EQ(ini("SYSTEM", "AlarmOn"), "Yes");
  EXPECT_TRUE(t.ctx.settings.LS_ALARMON);
  EXPECT_FALSE(fs::exists(t.dir / "ZRVPARAM.NTX"));
  EXPECT_EQ(t.ctx.help.topic(), "Hauptauswahl");
}

}  // namespace
}  // namespace zrv
