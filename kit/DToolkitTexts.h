#pragma once

// The toolkit's own texts (the standard buttons of message boxes and
// dialogs, the file dialogs) in the interface language: its Italian
// catalogue is loaded from the toolkit's translations folder, and dropped
// again for English. Installing or removing it makes the toolkit send every
// widget a language change, on which its own dialogs re-text themselves.
class DToolkitTexts
{
public:
    // Whether the toolkit now speaks language (English always does; Italian
    // needs the catalogue installed with the toolkit's translations).
    static bool Apply(int language);
};
