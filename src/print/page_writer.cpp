#include "print/page_writer.h"

#include <utility>

namespace zrv {

PageWriter::PageWriter(PageLayout layout) : layout_(std::move(layout)) {
  newPage();
}

void PageWriter::newPage() {
  PrintPage page;
  if (layout_.heading) {
    page.headFrame = true;
    page.texts.push_back({kHeadingRow, kHeadingColumn, *layout_.heading, layout_.font});
  }
  pages_.push_back(std::move(page));
  row_ = layout_.firstRow;
}

void PageWriter::text(int column, std::string text) {
  if (row_ > layout_.lastRow) newPage();
  pages_.back().texts.push_back({row_, column, std::move(text), layout_.font});
}

void PageWriter::rule(int from, int to) {
  if (row_ <= layout_.lastRow) pages_.back().rules.push_back({row_, from, to});
}

}  // namespace zrv
