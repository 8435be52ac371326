#include "murlo-app.h"

wxIMPLEMENT_APP(murlo::gui::CMurloApp);
