// The help text shown page by page at start-up.
#pragma once

// Shows data/help_ru.txt on blue pages; "*" ends a page, "END" the text.
void ShowHelp();
