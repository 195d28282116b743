#include "settings/sound_settings_window.h"

#include <wx/bmpbuttn.h>
#include <wx/button.h>
#include <wx/imaglist.h>
#include <wx/listctrl.h>
#include <wx/settings.h>
#include <wx/stattext.h>

#include "app/context.h"
#include "app/help.h"
#include "ports/window_services.h"
#include "settings/sound_settings.h"
#include "widgets/bitmaps.h"
#include "widgets/dialog_look.h"
#include "widgets/tbmpget_ctrl.h"

namespace zrv {
namespace {

const wxColour kBack(123, 173, 222);
constexpr int kWidth = 300;  // layout units of the client area
constexpr int kHeight = 196;
constexpr int kListHeight = 122;
constexpr const char* kMarks[] = {"Mark0", "Mark1", "Mark2"};

wxColour rowColour(const SoundRow& row) {
  switch (soundRowKind(row)) {
    case SoundRowKind::Master:
      return wxColour(0, 128, 0);
    case SoundRowKind::Header:
      return wxColour(0, 0, 128);
    case SoundRowKind::Entry:
      return *wxBLACK;
    case SoundRowKind::Fixed:
      break;
  }
  return wxColour(255, 0, 0);
}

int markIndex(const SoundRow& row) {
  const std::string mark = soundMark(row);
  for (int i = 0; i < 3; ++i) {
    if (mark == kMarks[i]) return i;
  }
  return 0;
}

wxString utf8(const std::string& s) {
  return wxString::FromUTF8(s);
}

}  // namespace

SoundSettingsWindow::SoundSettingsWindow(wxWindow* parent, SoundSettings& settings,
                                         SoundPlayer& player, WindowServices& services,
                                         const EntryColours& colours)
    : wxDialog(parent, wxID_ANY, wxS("Zorvane - Sound-Einstellungen"), wxDefaultPosition,
               wxDefaultSize, wxDEFAULT_DIALOG_STYLE, "SETUPSOUND"),
      settings_(settings),
      player_(player),
      services_(services) {
  SetFont(smallFont());
  wxIcon icon;
  icon.CopyFromBitmap(bitmapByName("Sounds", wxSize(32, 32)));
  SetIcon(icon);
  SetBackgroundColour(kBack);
  SetForegroundColour(*wxBLACK);
  SetClientSize(unitRect(this, 0, 0, kWidth, kHeight).GetSize());

  // The list: the mark, " Bereich", " Sounddatei"; its columns fill its width exactly, so it
  // never scrolls sideways.
  wxRect r = unitRect(this, 6, 6, kWidth - 12, kListHeight);
  list_ = new wxListCtrl(this, wxID_ANY, r.GetPosition(), r.GetSize(),
                         wxLC_REPORT | wxLC_SINGLE_SEL | wxBORDER_SUNKEN);
  list_->SetName("SOUNDLIST");
  auto* marks = new wxImageList(16, 16, true, 3);
  for (const char* mark : kMarks)
    marks->Add(bitmapByName(mark, wxSize(16, 16)));
  list_->AssignImageList(marks, wxIMAGE_LIST_SMALL);
  int scrollBar = wxSystemSettings::GetMetric(wxSYS_VSCROLL_X, list_);
  if (scrollBar <= 0) scrollBar = 16;
  const int inner = list_->GetClientSize().x - scrollBar - 2;
  const int markWidth = FromDIP(26);
  const int areaWidth = (inner - markWidth) * 2 / 5;
  list_->AppendColumn("", wxLIST_FORMAT_LEFT, markWidth);
  list_->AppendColumn(wxS(" Bereich"), wxLIST_FORMAT_LEFT, areaWidth);
  list_->AppendColumn(wxS(" Sounddatei"), wxLIST_FORMAT_LEFT, inner - markWidth - areaWidth);
  list_->Bind(wxEVT_LIST_ITEM_SELECTED, [this](wxListEvent& e) { rowChosen(e.GetIndex()); });
  list_->Bind(wxEVT_LIST_ITEM_ACTIVATED, [this](wxListEvent& e) { rowActivated(e.GetIndex()); });

  const auto label = [this](int row, const wxString& caption) {
    const wxRect line = unitRect(this, row, 6, 44, 10);
    const wxSize size = GetTextExtent(caption) + wxSize(2, 2);
    auto* t = new wxStaticText(this, wxID_ANY, caption,
                               wxPoint(line.x, line.y + (line.height - size.y) / 2), size);
    t->SetForegroundColour(*wxBLACK);
  };
  const auto value = [&](int row, int width, const char* name) {
    const wxRect place = unitRect(this, row, 52, width, 10);
    auto* f = new TBmpGet(this, wxID_ANY, "", place.GetPosition(), place.GetSize(), {}, {},
                          wxTE_READONLY);
    f->SetName(name);
    f->setColours(colours.text, colours.back);
    return f;
  };
  label(kListHeight + 12, wxS("Bereich"));
  name_ = value(kListHeight + 12, 150, "CSNAME");
  label(kListHeight + 26, wxS("Sounddatei"));
  file_ = value(kListHeight + 26, 198, "CSFILE");
  const auto picture = [this](int id, int column, const char* bitmap, const wxString& tip) {
    const wxRect place = unitRect(this, kListHeight + 26, column, 10, 10);
    auto* b =
        new wxBitmapButton(this, id, bitmapByName(bitmap, wxSize(14, 14)), place.GetPosition(),
                           place.GetSize(), wxBU_EXACTFIT | wxBORDER_NONE);
    b->SetToolTip(tip);
    return b;
  };
  open_ = picture(kSoundOpenId, 254, "S_OPEN", wxS("Sound-Datei suchen"));
  play_ = picture(kSoundPlayId, 266, "S_PLAY", wxS("Sounddatei abspielen"));
  tick_ = picture(kSoundTickId, 278, "S_NOK", wxS("Markierung setzen oder aufheben"));
  open_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { chooseFile(); });
  play_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { settings_.playCurrent(player_); });
  tick_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
    settings_.toggleTick();
    fillRow(static_cast<long>(settings_.current()));
    showCurrent();
  });

  const auto button = [this](int id, int column, const wxString& caption, const wxString& tip) {
    const wxRect place = unitRect(this, kHeight - 20, column, 52, 14);
    auto* b = new wxButton(this, id, caption, place.GetPosition(), place.GetSize());
    if (!tip.empty()) b->SetToolTip(tip);
    return b;
  };
  delete_ = button(kSoundDeleteId, 6, wxS("&Löschen"), "");
  wxButton* help = button(kSoundHelpId, (kWidth - 52) / 2, wxS("&Hilfe"), wxS("Hilfe anzeigen"));
  wxButton* end = button(kSoundEndId, kWidth - 58, wxS("&Beenden"), wxS("Dialog beenden"));
  delete_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
    settings_.clearSound();
    fillRow(static_cast<long>(settings_.current()));
    showCurrent();
  });
  help->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { services_.showHelp(help_topic::kSounds); });
  end->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
    if (IsModal()) {
      EndModal(wxID_OK);
    } else {
      Hide();
    }
  });
  SetEscapeId(kSoundEndId);

  fillList();
  if (list_->GetItemCount() > 0) {
    list_->SetItemState(0, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                        wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
  }
  showCurrent();
  CentreOnParent();
  list_->SetFocus();
}

void SoundSettingsWindow::fillRow(long row) {
  const std::vector<SoundRow>& rows = settings_.rows();
  if (row < 0 || row >= static_cast<long>(rows.size())) return;
  const SoundRow& r = rows[row];
  list_->SetItem(row, 0, "", markIndex(r));
  list_->SetItem(row, 1, utf8(" " + r.OPTION));
  list_->SetItem(row, 2, utf8(" " + r.SOUND));
  list_->SetItemTextColour(row, rowColour(r));
}

void SoundSettingsWindow::fillList() {
  const std::vector<SoundRow>& rows = settings_.rows();
  if (list_->GetItemCount() != static_cast<int>(rows.size())) {
    list_->DeleteAllItems();
    for (std::size_t i = 0; i < rows.size(); ++i)
      list_->InsertItem(static_cast<long>(i), "", 0);
  }
  for (std::size_t i = 0; i < rows.size(); ++i)
    fillRow(static_cast<long>(i));
}

// The current row's caption and file, and the buttons as the row allows them.
void SoundSettingsWindow::showCurrent() {
  name_->ChangeValue(utf8(settings_.CSNAME()));
  file_->ChangeValue(utf8(settings_.CSFILE()));
  const SoundButtons b = settings_.buttons();
  tickPicture_ = b.ticked ? "S_OK" : "S_NOK";
  tick_->SetBitmap(bitmapByName(tickPicture_, wxSize(14, 14)));
  tick_->Enable(b.tickEnabled);
  open_->Enable(b.fileEnabled);
  play_->Enable(b.playEnabled);
  delete_->Enable(b.deleteEnabled);
}

void SoundSettingsWindow::rowChosen(long row) {
  if (row < 0) return;
  settings_.select(static_cast<std::size_t>(row));
  showCurrent();
}

void SoundSettingsWindow::rowActivated(long row) {
  if (row < 0) return;
  settings_.doubleClick(static_cast<std::size_t>(row));
  fillList();
  const long current = static_cast<long>(settings_.current());
  list_->SetItemState(current, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                      wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
  list_->EnsureVisible(current);
  showCurrent();
}

void SoundSettingsWindow::chooseFile() {
  const std::optional<std::string> refused = settings_.chooseFile(
      player_, [this](const std::string& title, const std::filesystem::path& start,
                      const std::string& filter) {
        return services_.chooseFile(this, title, start, filter);
      });
  if (refused) services_.tell(this, Severity::Problem, "Problem", *refused);
  fillRow(static_cast<long>(settings_.current()));
  showCurrent();
}

void setupSound(wxWindow* parent, Context& ctx, WindowServices& services, SoundPlayer& player) {
  std::unique_ptr<SoundSettings> settings = SoundSettings::open(ctx);
  if (!settings) {
    services.tell(parent, Severity::Problem, "Problem", kSoundSettingsUnavailable);
    return;
  }
  {
    const ScopedHelpTopic topic(ctx.help, help_topic::kSounds, help_topic::kMain);
    SoundSettingsWindow window(parent, *settings, player, services, entryColours(ctx.lists));
    window.ShowModal();
  }
  settings->close();
}

}  // namespace zrv
