// The zorvane program: hands over to the application in the UI library.
#include "ui/zorvane_app.h"

wxIMPLEMENT_APP(zrv::ZorvaneApp);
