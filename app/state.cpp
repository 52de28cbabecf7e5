#include "state.h"

Settings g_Settings;
ScreenSize g_ScreenSize;
EdgeBarSet g_EdgeBarSet;
