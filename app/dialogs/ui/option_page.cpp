#include "dialogs/ui/option_page.h"
