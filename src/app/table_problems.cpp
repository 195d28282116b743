#include "app/table_problems.h"

#include "app/context.h"
#include "ports/user_interface.h"
#include "store/base/logbook.h"

namespace zrv {

std::string openProblemText(const std::filesystem::path& file, const Status& s) {
  const std::string name = "Die Termindatei " + file.filename().string();
  switch (s.code()) {
    case StatusCode::kLocked:
      return name +
             " wird bereits von einem anderen Programm benutzt und kann nicht geöffnet werden.\n"
             "Bitte beenden Sie das andere Programm (zum Beispiel Zorvane an einem anderen "
             "Arbeitsplatz) und öffnen Sie die Datei danach erneut.";
    case StatusCode::kCorrupt:
    case StatusCode::kUnsupported:
      return name + " ist beschädigt und kann nicht geöffnet werden.\n" + s.message() +
             "\nDie Datei wurde nicht verändert.";
    default:
      return name + " kann nicht geöffnet werden.\n" + s.message();
  }
}

void reportOpenProblem(Context& ctx, std::string_view place, const std::filesystem::path& file,
                       const Status& s) {
  ctx.log.log(place, s.message());
  ctx.ui.message(kProblemTitle, openProblemText(file, s));
}

}  // namespace zrv
