#pragma once

#include <QString>

namespace plexion {

// The Find Text dialog's values, remembered for the whole run of the editor
// and shared by every panel.
struct CFindOptions {
    QString text;
    bool matchCase = false;
    bool wholeWord = false;
    bool backward = false;
    bool inSelected = false;
    bool selectItems = false;
    bool unselectPrevious = true;
    bool replace = false;
    QString replacement;
    bool askBeforeReplace = true;
};

CFindOptions& RememberedFindOptions();

}  // namespace plexion
