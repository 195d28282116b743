// The entry of the window module (zorvane_gui.so): `zorvane` without arguments opens it and runs
// the wx application in it. The program file itself links no wx, so that the command line starts
// without loading the toolkit.
#include <wx/app.h>

#include "ui/zorvane_app.h"

wxIMPLEMENT_APP_NO_MAIN(zrv::ZorvaneApp);

extern "C" __attribute__((visibility("default"))) int zrvRunWindows(int argc, char** argv) {
  return wxEntry(argc, argv);
}
