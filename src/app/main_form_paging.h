#pragma once

#include "app/main_form.h"

// What the main window keeps for sending pages.
struct Tmainform::Paging {};
