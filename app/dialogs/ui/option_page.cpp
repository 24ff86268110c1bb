// The page interface's meta-object is generated beside this file.
#include "dialogs/ui/option_page.h"
