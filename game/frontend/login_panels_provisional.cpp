// Provisional: the front end's content table replaces this file.
#include "game/frontend/login_panels_provisional.h"

LoginPanels loginPanels;
