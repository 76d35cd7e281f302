// Identifiers of the exe's resources, shared by the resource script
// (app/win/resources/merrowin.rc) and the code, so plain macros.
#pragma once

// The application icon: the lowest icon id, which Explorer shows.
#define MERROWIN_ICON_ID 1
