#include "ui/appointment_grid.h"

#include <algorithm>
#include <array>

#include "reminder/view_rows.h"
#include "store/appointments/appointment_table.h"
#include "ui/list_renderers.h"
#include "widgets/bitmaps.h"
#include "widgets/call_after.h"
#include "widgets/dialog_look.h"

namespace zrv {
namespace {

struct Column {
  const char* heading;
  int width;  // pixels before high-DPI scaling; the text column takes the rest
  int align;
  bool red;  // red text (the flag)
};
constexpr std::array<Column, kListColumns> kColumns = {{
    {" ", 20, wxALIGN_LEFT, false},
    {" ", 12, wxALIGN_CENTRE, true},
    {"Tag", 30, wxALIGN_LEFT, false},
    {"Datum", 57, wxALIGN_LEFT, false},
    {"Uhrzeit", 48, wxALIGN_CENTRE, false},
    {"Text", 0, wxALIGN_LEFT, false},
}};
constexpr int kKindColumn = 0;
constexpr int kTextColumn = 5;

// The grid's view of the rows: six columns of texts (the kind column holds the bitmap's
// name), an attribute per column and row colour made once.
class ListTable : public wxGridTableBase {
 public:
  ListTable(ViewRows& rows, AppointmentTable* table, std::function<void()> nearEnd)
      : rows_(rows), table_(table), nearEnd_(std::move(nearEnd)) {
    for (int col = 0; col < kListColumns; ++col) {
      for (int parity = 0; parity < 2; ++parity) {
        auto* attr = new wxGridCellAttr;
        const Column& c = kColumns[static_cast<std::size_t>(col)];
        attr->SetFont(smallFont());
        attr->SetTextColour(c.red ? kFlagRed : *wxBLACK);
        attr->SetBackgroundColour(rowColour(parity));
        attr->SetAlignment(c.align, wxALIGN_CENTRE);
        attr->SetReadOnly();
        if (col == kKindColumn) {
          attr->SetRenderer(new KindBitmapRenderer);
        } else {
          attr->SetRenderer(new ListTextRenderer);
        }
        attrs_[static_cast<std::size_t>(col)][static_cast<std::size_t>(parity)] = attr;
      }
    }
    SetAttrProvider(new ListAttrProvider);
  }
  ~ListTable() override {
    for (auto& pair : attrs_) {
      for (wxGridCellAttr* attr : pair)
        attr->DecRef();
    }
  }

  int GetNumberRows() override { return rows_.size(); }
  int GetNumberCols() override { return kListColumns; }
  bool IsEmptyCell(int, int) override { return false; }
  void SetValue(int, int, const wxString&) override {}
  wxString GetColLabelValue(int col) override {
    return wxString::FromUTF8(kColumns[static_cast<std::size_t>(col)].heading);
  }
  wxString GetValue(int row, int col) override {
    if (!table_) return {};
    if (!rows_.complete() && row + kAhead >= rows_.size()) nearEnd_();
    const ListRow& r = rows_.row(*table_, row);
    switch (col) {
      case 0:
        return wxString::FromUTF8(r.kindCode);
      case 1:
        return wxString::FromUTF8(r.flag);
      case 2:
        return wxString::FromUTF8(r.day);
      case 3:
        return wxString::FromUTF8(r.date);
      case 4:
        return wxString::FromUTF8(r.time);
      default:
        return wxString::FromUTF8(r.text);
    }
  }
  bool CanHaveAttributes() override { return true; }
  wxGridCellAttr* GetAttr(int row, int col, wxGridCellAttr::wxAttrKind) override {
    if (col < 0 || col >= kListColumns) return nullptr;
    wxGridCellAttr* attr = attrs_[static_cast<std::size_t>(col)][static_cast<std::size_t>(row % 2)];
    attr->IncRef();
    return attr;
  }

 private:
  // Rows before the end of those taken at which the next stretch is taken.
  static constexpr int kAhead = 100;

  ViewRows& rows_;
  AppointmentTable* table_;
  std::function<void()> nearEnd_;
  std::array<std::array<wxGridCellAttr*, 2>, kListColumns> attrs_{};
};

}  // namespace

AppointmentGrid::AppointmentGrid(wxWindow* parent, ViewRows& rows, AppointmentTable* table,
                                 ListEvents events)
    : wxGrid(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxWANTS_CHARS | wxBORDER_NONE),
      rows_(rows),
      table_(table),
      events_(std::move(events)) {
  SetDefaultCellFont(smallFont());
  SetLabelFont(smallFont());
  SetLabelTextColour(*wxBLACK);
  SetTable(new ListTable(rows_, table_, [this] { nearEnd(); }), true, wxGridSelectRows);
  SetRowLabelSize(0);
  const int textHeight = GetCharHeight();
  // Two pixels over the grid's default, but never lower than a kind's bitmap with a pixel above
  // and below: with a small system font the bitmaps would be cut off.
  const int kindHeight = naturalBitmapSize("TA7").y;
  SetDefaultRowSize(std::max(textHeight + FromDIP(4), kindHeight) + 2, true);
  SetColLabelSize(textHeight + FromDIP(4) + 7);
  SetColLabelAlignment(wxALIGN_LEFT, wxALIGN_CENTRE);
  EnableGridLines(false);
  EnableEditing(false);
  EnableDragRowSize(false);
  EnableDragColSize(false);
  EnableDragGridSize(false);
  DisableDragColMove();
  SetCellHighlightPenWidth(0);
  SetCellHighlightROPenWidth(0);
  SetDefaultCellBackgroundColour(*wxWHITE);
  SetBackgroundColour(*wxWHITE);
  ShowScrollbars(wxSHOW_SB_NEVER, wxSHOW_SB_DEFAULT);
  SetColMinimalAcceptableWidth(FromDIP(8));
  for (int col = 0; col < kTextColumn; ++col) {
    SetColSize(col, FromDIP(kColumns[static_cast<std::size_t>(col)].width));
    SetColLabelAlignment(wxALIGN_LEFT, wxALIGN_CENTRE);
  }

  Bind(wxEVT_GRID_SELECT_CELL, &AppointmentGrid::onSelectCell, this);
  Bind(wxEVT_KEY_DOWN, &AppointmentGrid::onKeyDown, this);
  Bind(wxEVT_GRID_CELL_LEFT_DCLICK, &AppointmentGrid::onDoubleClick, this);
  Bind(wxEVT_GRID_CELL_RIGHT_CLICK, &AppointmentGrid::onRightClick, this);
  Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
    fitTextColumn();
    event.Skip();
  });
}

void AppointmentGrid::reload() {
  const int before = GetNumberRows();
  if (table_) (void)rows_.reload(*table_);
  const int row = table_ ? rows_.findRow(*table_, table_->recNo()) : -1;
  resize(before);
  if (rows_.size() == 0) return;
  goToRow(row < 0 ? 0 : row);
}

void AppointmentGrid::nearEnd() {
  if (morePending_) return;
  morePending_ = true;
  callAfter(*this, [this] { takeMore(false); });
}

void AppointmentGrid::takeAllRows() {
  takeMore(true);
}

void AppointmentGrid::takeMore(bool all) {
  morePending_ = false;
  if (!table_ || rows_.complete()) return;
  const int before = GetNumberRows();
  if (all) {
    rows_.extendToEnd(*table_);
  } else {
    rows_.extend(*table_);
  }
  if (rows_.size() != before) resize(before);
}

// Tells the grid how many rows there are now; `before` is how many it had.
void AppointmentGrid::resize(int before) {
  const int after = rows_.size();
  BeginBatch();
  if (after < before) {
    wxGridTableMessage msg(GetTable(), wxGRIDTABLE_NOTIFY_ROWS_DELETED, after, before - after);
    ProcessTableMessage(msg);
  } else if (after > before) {
    wxGridTableMessage msg(GetTable(), wxGRIDTABLE_NOTIFY_ROWS_APPENDED, after - before);
    ProcessTableMessage(msg);
  }
  EndBatch();
  fitTextColumn();
  ForceRefresh();
}

void AppointmentGrid::goToRow(int row) {
  if (row < 0 || row >= GetNumberRows()) return;
  SetGridCursor(row, kTextColumn);
  MakeCellVisible(row, 0);
  SelectRow(row);
  if (table_) (void)table_->goTo(rows_.recnoAt(row));
}

int AppointmentGrid::currentRow() const {
  return GetNumberRows() > 0 ? GetGridCursorRow() : -1;
}

void AppointmentGrid::fitTextColumn() {
  int others = 0;
  for (int col = 0; col < kTextColumn; ++col)
    others += GetColSize(col);
  const int width = GetGridWindow() ? GetGridWindow()->GetClientSize().x : GetClientSize().x;
  SetColSize(kTextColumn, std::max(width - others, FromDIP(60)));
}

void AppointmentGrid::onSelectCell(wxGridEvent& event) {
  const int row = event.GetRow();
  SelectRow(row);
  if (table_) (void)table_->goTo(rows_.recnoAt(row));
  event.Skip();
}

void AppointmentGrid::onKeyDown(wxKeyEvent& event) {
  const int key = event.GetKeyCode();
  if (key == WXK_RETURN || key == WXK_NUMPAD_ENTER) {
    if (events_.edit && currentRow() >= 0) events_.edit("DlgBtn");
    return;
  }
  if (key == WXK_ESCAPE) return;  // Escape never leaves the list
  if (key == WXK_INSERT || key == WXK_DELETE || key == WXK_NUMPAD_INSERT ||
      key == WXK_NUMPAD_DELETE) {
    if (events_.key)
      events_.key(key == WXK_NUMPAD_INSERT   ? WXK_INSERT
                  : key == WXK_NUMPAD_DELETE ? WXK_DELETE
                                             : key);
    SetFocus();
    Refresh();
    return;
  }
  event.Skip();
}

void AppointmentGrid::onDoubleClick(wxGridEvent& event) {
  goToRow(event.GetRow());
  if (events_.edit) events_.edit("DlgTab");
}

void AppointmentGrid::onRightClick(wxGridEvent& event) {
  goToRow(event.GetRow());
  if (events_.rightClick) events_.rightClick(event.GetRow(), event.GetCol());
}

}  // namespace zrv
