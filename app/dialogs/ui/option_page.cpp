// The page interface has signals and slots of its own kind: its meta-object is built with this
// file.
#include "dialogs/ui/option_page.h"
