#include "contributors_dialog.h"

#include "application_information.h"
#include "form_dialog.h"

namespace plexion {

void ShowContributorsDialog(QWidget* parent) {
    ShowContributorsDialog(parent, ApplicationInformationText);
}

void ShowContributorsDialog(QWidget* parent, const InformationLookup& lookup) {
    const auto textOrNone = [&lookup](const char* key) {
        return lookup(QString::fromLatin1(key)).value_or(QStringLiteral("None"));
    };
    CFormDialog dialog(QStringLiteral("Contributors List"), parent);
    dialog.AddTitle(QStringLiteral("Contributors List"));
    dialog.AddInformation(textOrNone("contributors"));
    dialog.AddTitle(QStringLiteral("Needed Contributions"));
    dialog.AddInformation(textOrNone("needed contributions"));
    dialog.exec();
}

}  // namespace plexion
