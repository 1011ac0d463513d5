#pragma once

#include <QString>

namespace plexion {

class CMainFrame;
class CRecoveryFolder;

// At start-up, each copy that an editor which did not end cleanly left
// under `root` is offered: Recover opens it in `frame` as the modified
// document it was, its copy moved into `folder`; Discard deletes it; Later
// keeps it for the next start. A copy that cannot be read is named in a
// message and kept.
void OfferLeftRecoveries(CMainFrame& frame, CRecoveryFolder& folder, const QString& root);

}  // namespace plexion
